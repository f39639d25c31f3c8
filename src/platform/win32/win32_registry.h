// The registry over advapi32's ANSI functions. Names and paths arrive in UTF-8
// and are converted to the system's ANSI code page here; value data passes
// through as bytes. The raw read for backups uses the wide functions instead.
#pragma once

#include "platform/registry.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {

class Win32Registry final : public Registry {
 public:
  long OpenKey(RootKey root, const std::string& path, std::uint32_t access,
               KeyHandle* key) override;
  long CreateKey(RootKey root, const std::string& path, std::uint32_t access,
                 KeyHandle* key) override;
  long QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long DeleteValue(KeyHandle key, const std::string& name) override;
  long DeleteKey(RootKey root, const std::string& path) override;
  long EnumKey(KeyHandle key, std::uint32_t index, char* buffer, std::uint32_t size) override;
  long CloseKey(KeyHandle key) override;
  long OpenKeyWide(RootKey root, const std::string& path, std::uint32_t access,
                   KeyHandle* key) override;
  long EnumKeyWide(KeyHandle key, std::uint32_t index, std::string* name) override;
  long EnumValueWide(KeyHandle key, std::uint32_t index, std::string* name, std::uint32_t* type,
                     std::vector<std::uint8_t>* data) override;
  std::string EditorPath(RootKey root, const std::string& path) override;

 private:
  Win32TextCodec codec_;
};

}  // namespace ferrolis::platform::win32
