// An open registry key that closes itself when it goes out of scope.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace ferrolis::registry {

class OpenKey {
 public:
  explicit OpenKey(platform::Registry& registry) : registry_(registry) {}
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() { Close(); }

  // Opens an existing key; it stays closed (handle 0) when the call fails.
  long Open(platform::RootKey root, const std::string& path, std::uint32_t access) {
    Close();
    platform::KeyHandle key = 0;
    const long result = registry_.OpenKey(root, path, access, &key);
    if (result == platform::kErrorSuccess) handle_ = key;
    return result;
  }
  // Opens the key, creating every missing level; it stays closed (handle 0)
  // when the call fails.
  long Create(platform::RootKey root, const std::string& path, std::uint32_t access) {
    Close();
    platform::KeyHandle key = 0;
    const long result = registry_.CreateKey(root, path, access, &key);
    if (result == platform::kErrorSuccess) handle_ = key;
    return result;
  }
  void Close() {
    if (handle_ != 0) registry_.CloseKey(handle_);
    handle_ = 0;
  }

  platform::KeyHandle handle() const { return handle_; }
  bool is_open() const { return handle_ != 0; }

 private:
  platform::Registry& registry_;
  platform::KeyHandle handle_ = 0;
};

}  // namespace ferrolis::registry
