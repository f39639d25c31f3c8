// The machine's secret store in memory. `refuse` plays Windows refusing it (no
// right to the policy), or Wine, whose LSA stores nothing and finds nothing.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/secrets.h"

namespace ferrolis::testing {

class MemorySecrets final : public platform::SecretStore {
 public:
  std::map<std::string, std::string> stored;
  bool refuse = false;

  std::optional<std::string> Retrieve(const std::string& name) override {
    if (refuse || !stored.contains(name)) return std::nullopt;
    return stored[name];
  }
  bool Store(const std::string& name, const std::string& text) override {
    if (!refuse) stored[name] = text;
    return !refuse;
  }
  bool Delete(const std::string& name) override {
    return refuse ? !stored.contains(name) : (stored.erase(name), true);
  }
};

}  // namespace ferrolis::testing
