// A fixture for the shared registry suites: a fresh platform registry, the
// layer over it, and helpers that seed and inspect keys through the platform
// interface alone, so that the same tests run on the double and on Wine.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "contract/contract_env.h"
#include "registry/idbas_registry.h"

namespace ferrolis::testing {

struct StoredValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

class RegistryFixture : public ::testing::Test {
 protected:
  using Bytes = std::vector<std::uint8_t>;

  RegistryFixture() : platform_(MakeContractRegistry()), layer_(*platform_) {}

  // Creates every level of the key and writes raw data into it.
  void Seed(platform::RootKey root, const std::string& path, const std::string& name,
            std::uint32_t type, const Bytes& bytes) {
    platform::KeyHandle key = 0;
    ASSERT_EQ(platform_->CreateKey(root, path, platform::kKeyAllSpecificRights, &key), 0) << path;
    EXPECT_EQ(platform_->SetValue(key, name, type, bytes.data(),
                                  static_cast<std::uint32_t>(bytes.size())),
              0)
        << name;
    platform_->CloseKey(key);
  }

  void MakeKey(platform::RootKey root, const std::string& path) {
    platform::KeyHandle key = 0;
    ASSERT_EQ(platform_->CreateKey(root, path, platform::kKeyAllSpecificRights, &key), 0) << path;
    platform_->CloseKey(key);
  }

  bool KeyExists(platform::RootKey root, const std::string& path) {
    platform::KeyHandle key = 0;
    if (platform_->OpenKey(root, path, platform::kKeyRead, &key) != 0) return false;
    platform_->CloseKey(key);
    return true;
  }

  std::optional<StoredValue> Stored(platform::RootKey root, const std::string& path,
                                    const std::string& name) {
    platform::KeyHandle key = 0;
    if (platform_->OpenKey(root, path, platform::kKeyRead, &key) != 0) return std::nullopt;
    std::optional<StoredValue> value;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (platform_->QueryValue(key, name, &type, nullptr, &size) == 0) {
      StoredValue stored{type, Bytes(size)};
      if (platform_->QueryValue(key, name, &type, stored.bytes.data(), &size) == 0) {
        stored.bytes.resize(size);
        value = std::move(stored);
      }
    }
    platform_->CloseKey(key);
    return value;
  }

  std::vector<std::string> Subkeys(platform::RootKey root, const std::string& path) {
    std::vector<std::string> names;
    platform::KeyHandle key = 0;
    if (platform_->OpenKey(root, path, platform::kKeyRead, &key) != 0) return names;
    char buffer[1024];
    for (std::uint32_t i = 0; platform_->EnumKey(key, i, buffer, sizeof buffer) == 0; ++i) {
      names.emplace_back(buffer);
    }
    platform_->CloseKey(key);
    return names;
  }

  // Removes a key and everything below it, without the layer under test.
  void RemoveTree(platform::RootKey root, const std::string& path) {
    for (const std::string& name : Subkeys(root, path)) RemoveTree(root, path + "\\" + name);
    platform_->DeleteKey(root, path, 0);
  }

  std::unique_ptr<platform::Registry> platform_;
  registry::IDBAS_Registry layer_;
};

// A fixture that owns the scratch key: empty at the start, gone at the end.
class ScratchFixture : public RegistryFixture {
 protected:
  void SetUp() override {
    RemoveTree(kScratchRoot, kScratchPath);
    MakeKey(kScratchRoot, kScratchPath);
  }
  void TearDown() override { RemoveTree(kScratchRoot, kScratchPath); }

  static std::string Scratch(const std::string& below = {}) {
    return below.empty() ? std::string(kScratchPath) : std::string(kScratchPath) + "\\" + below;
  }
};

}  // namespace ferrolis::testing

namespace ferrolis::registry {
// Readable failures for read results.
inline void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << (value.IsNumber() ? "number " : "text \"") << value.Text()
       << (value.IsNumber() ? "" : "\"");
}
}  // namespace ferrolis::registry
