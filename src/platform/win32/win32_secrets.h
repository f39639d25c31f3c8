// The secret store over the Local Security Authority's private data
// (LsaStorePrivateData, LsaRetrievePrivateData on the local machine's policy).
#pragma once

#include "platform/secrets.h"

namespace ferrolis::platform::win32 {

class Win32SecretStore final : public SecretStore {
 public:
  std::optional<std::string> Retrieve(const std::string& name) override;
  bool Store(const std::string& name, const std::string& text) override;
  bool Delete(const std::string& name) override;
};

}  // namespace ferrolis::platform::win32
