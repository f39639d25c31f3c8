// The registry over advapi32's wide functions. Paths, names and text data
// arrive in UTF-8 and are converted to and from UTF-16 here; data of the other
// types passes through as bytes. Every key is reached in the 64-bit view
// unless the 32-bit one is asked for.
#pragma once

#include "platform/registry.h"

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
  long DeleteKey(RootKey root, const std::string& path, std::uint32_t view) override;
  long EnumKey(KeyHandle key, std::uint32_t index, char* buffer, std::uint32_t size) override;
  long CloseKey(KeyHandle key) override;
  long EnumKeyWide(KeyHandle key, std::uint32_t index, std::string* name) override;
  long EnumValueWide(KeyHandle key, std::uint32_t index, std::string* name, std::uint32_t* type,
                     std::vector<std::uint8_t>* data) override;
  bool SixtyFourBitWindows() override;
};

}  // namespace ferrolis::platform::win32
