// The machine's protected store of named secrets: the Local Security
// Authority's private data, which only SYSTEM and the administrators can read,
// where Winlogon looks for the automatic logon password. Texts are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace ferrolis::platform {

class SecretStore {
 public:
  virtual ~SecretStore() = default;

  // The text stored under `name`; nothing when there is none or it cannot be
  // read (a user without administrator rights reads none).
  virtual std::optional<std::string> Retrieve(const std::string& name) = 0;
  // Stores `text` under `name`, replacing what was there. True only when
  // Windows said it stored it.
  virtual bool Store(const std::string& name, const std::string& text) = 0;
  // Deletes what is stored under `name`. True when nothing is left under it:
  // deleted, or there was nothing.
  virtual bool Delete(const std::string& name) = 0;
};

}  // namespace ferrolis::platform
