#include "autologon/winlogon.h"

#include <optional>

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
  const std::string kept = stored.empty()
                               ? std::string(
                                     "Aucune valeur Shell n'est enregistrée : Windows "
                                     "démarre son shell habituel.")
                               : "La valeur enregistrée reste " + ui::QuoteForBox(stored) + ".";
  if (outcome == ShellWrite::Blank) {
    // A blank field over an empty value changes nothing worth saying.
    if (stored.empty()) return {};
    return std::string(
               "Le champ Exécuter Shell est vide : la valeur Shell n'a pas été "
               "modifiée.") +
           ui::kLineBreak + kept;
  }
  const char* reason = " n'a pas pu être recherché (lecteur non prêt ou nom invalide).";
  switch (outcome) {
    case ShellWrite::NoFile:
      reason = " ne désigne aucun fichier existant.";
      break;
    case ShellWrite::NotNormal:
      reason =
          " ne désigne pas un fichier ordinaire (c'est un dossier, un fichier caché ou un "
          "fichier système).";
      break;
    case ShellWrite::Wildcard:
      reason = " contient un caractère générique (* ou ?) : ce n'est pas le nom d'un fichier.";
      break;
    default:
      break;
  }
  return "La valeur Shell n'a pas été modifiée : " + ui::QuoteForBox(text) + reason +
         ui::kLineBreak + "Indiquez le chemin complet du programme, sans arguments." +
         ui::kLineBreak + kept;
}

}  // namespace ferrolis::autologon
