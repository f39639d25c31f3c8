#include "autologon/winlogon.h"

#include <optional>

#include "autologon/autologon_texts.h"
#include "platform/ascii.h"
#include "registry/open_key.h"
#include "ui/msgbox.h"

namespace ferrolis::autologon {
bool Winlogon::KeyOpensForWriting() const {
  registry::OpenKey key(registry_.platform());
  const std::string path =
      registry::IDBAS_Registry::BuildKeyPath(kLogonBasePath, kLogonSubKey1, kLogonSubKey2);
  return key.Open(platform::kHkeyLocalMachine, path,
                  platform::kKeyAllSpecificRights | registry_.view()) == platform::kErrorSuccess;
}

std::string Winlogon::Read(std::string_view name, std::string_view default_text) const {
  return registry_
      .GetRegistryValue(kLogonSubKey1, kLogonSubKey2, name, default_text,
                        platform::kHkeyLocalMachine, kLogonBasePath, false)
      .Text();
}

bool Winlogon::Write(std::string_view name, std::string_view text) {
  return registry_.SetRegistryValue(kLogonSubKey1, kLogonSubKey2, name, text,
                                    platform::kHkeyLocalMachine, kLogonBasePath, platform::kRegSz);
}

std::string Winlogon::ReadPassword() const {
  if (std::optional<std::string> secret = secrets_.Retrieve(std::string(kDefaultPassword))) {
    return *secret;
  }
  return Read(kDefaultPassword, "");
}

PasswordWrite Winlogon::WritePassword(const std::string& text) {
  const std::string name(kDefaultPassword);
  if (text.empty()) {
    const bool no_secret = secrets_.Delete(name);
    return Write(kDefaultPassword, "") && no_secret ? PasswordWrite::Protected
                                                    : PasswordWrite::Refused;
  }
  if (secrets_.Store(name, text)) {
    return registry_.DeleteRegistryValue(kLogonSubKey1, kLogonSubKey2, kDefaultPassword,
                                         platform::kHkeyLocalMachine, kLogonBasePath) ==
                   registry::IDBAS_Registry::ValueDeletion::Refused
               ? PasswordWrite::Refused
               : PasswordWrite::Protected;
  }
  // An older secret would be shown at the next load instead of the value
  // written now; Windows that refused the store seldom lets it go either.
  secrets_.Delete(name);
  return Write(kDefaultPassword, text) ? PasswordWrite::ClearText : PasswordWrite::Refused;
}

std::string Winlogon::ReadShellValue() const {
  return registry_
      .GetRegistryValue({}, kShellSubKey2, kShell, {}, platform::kHkeyLocalMachine, kShellBasePath,
                        false)
      .Text();
}

ShellWrite Winlogon::WriteShellValue(const std::string& text) {
  if (platform::IsBlank(text)) return ShellWrite::Blank;
  if (text.find_first_of("*?") != std::string::npos) return ShellWrite::Wildcard;
  try {
    switch (files_.FindEntry(text)) {
      case platform::FoundEntry::Nothing:
        return ShellWrite::NoFile;
      case platform::FoundEntry::OtherEntry:
        return ShellWrite::NotNormal;
      case platform::FoundEntry::NormalFile:
        break;
    }
  } catch (const platform::FileError&) {
    // A drive that is not ready or a name no file can carry: nothing is
    // written, and the program goes on.
    return ShellWrite::NoSearch;
  }
  // A refusal leaves the old value, and the save says so.
  return registry_.SetRegistryValue({}, kShellSubKey2, kShell, text, platform::kHkeyLocalMachine,
                                    kShellBasePath, platform::kRegSz)
             ? ShellWrite::Written
             : ShellWrite::Refused;
}

int AutoLogonState(std::string_view stored) { return stored == "1" ? 1 : 0; }

std::string ShellNotWrittenMessage(ShellWrite outcome, const std::string& text,
                                   const std::string& stored) {
  if (outcome == ShellWrite::Written || outcome == ShellWrite::Refused || text == stored) return {};
  const std::string kept = stored.empty() ? std::string(texts::kNoShellStored)
                                          : texts::kShellStoredBefore + ui::QuoteForBox(stored) +
                                                texts::kShellStoredAfter;
  if (outcome == ShellWrite::Blank) {
    // A blank field over an empty value changes nothing worth saying.
    if (stored.empty()) return {};
    return texts::kShellFieldBlank + std::string(1, ui::kLineBreak) + kept;
  }
  const char* reason = texts::kShellNotSearched;
  switch (outcome) {
    case ShellWrite::NoFile:
      reason = texts::kShellNoFile;
      break;
    case ShellWrite::NotNormal:
      reason = texts::kShellNotNormalFile;
      break;
    case ShellWrite::Wildcard:
      reason = texts::kShellWildcard;
      break;
    default:
      break;
  }
  return texts::kShellNotChanged + ui::QuoteForBox(text) + reason + ui::kLineBreak +
         texts::kShellFullPathHint + ui::kLineBreak + kept;
}

}  // namespace ferrolis::autologon
