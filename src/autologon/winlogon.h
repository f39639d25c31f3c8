// The Winlogon value set: the machine's automatic logon, its power-down switch
// and the program started as the Windows shell. All are REG_SZ values of
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon,
// read by Windows' logon process at the next start, except the automatic
// logon password: every authenticated user may read that key, so the password
// is kept as the LSA secret "DefaultPassword", where Winlogon looks for it
// too and which only SYSTEM and the administrators can read.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/secrets.h"
#include "registry/idbas_registry.h"

namespace ferrolis::autologon {

// The key as the logon values name it...
inline constexpr std::string_view kLogonBasePath = "SOFTWARE\\Microsoft\\Windows NT";
inline constexpr std::string_view kLogonSubKey1 = "CurrentVersion";
inline constexpr std::string_view kLogonSubKey2 = "WinLogon";
// ...and as the Shell routines name it; registry names ignore case, so both
// reach the same key.
inline constexpr std::string_view kShellBasePath =
    "Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr std::string_view kShellSubKey2 = "Winlogon";

inline constexpr std::string_view kAutoAdminLogon = "AutoAdminLogon";
inline constexpr std::string_view kDefaultUserName = "DefaultUserName";
inline constexpr std::string_view kDefaultPassword = "DefaultPassword";
inline constexpr std::string_view kDefaultDomainName = "DefaultDomainName";
inline constexpr std::string_view kPowerdownAfterShutdown = "PowerdownAfterShutdown";
inline constexpr std::string_view kShell = "Shell";

// Where a save left the automatic logon password.
enum class PasswordWrite {
  Protected,  // nothing readable by every user: the password is the LSA secret
              // and the registry value is gone; an empty password leaves no
              // secret and an empty value
  ClearText,  // Windows refused the secret: the password is the registry value
  Refused,    // the registry refused the value (too), or an empty password
              // could not delete the old secret
};

// What a save of the Shell field did.
enum class ShellWrite {
  Written,
  Blank,      // the text is empty or spaces only
  NoFile,     // the text names no normal file that a search finds
  NotNormal,  // it names a hidden or system file, or a folder
  Wildcard,   // it holds "*" or "?": a pattern, not a file Windows can start
  NoSearch,   // the search could not be made (drive not ready, invalid name)
  Refused,    // a normal file, but the registry refused the write
};

class Winlogon {
 public:
  Winlogon(registry::IDBAS_Registry& registry, platform::FileSystem& files,
           platform::SecretStore& secrets)
      : registry_(registry), files_(files), secrets_(secrets) {}

  // Whether the Winlogon key opens with all six specific rights: what the
  // user may change in it decides what the main window lets them edit.
  bool KeyOpensForWriting() const;

  // A logon value read for reading only; missing, unreadable or blank gives
  // `default_text`, a number gives its decimal text.
  std::string Read(std::string_view name, std::string_view default_text) const;
  // A logon value written as REG_SZ, creating the key when missing. False
  // when nothing was stored: the registry refused the key or the value.
  bool Write(std::string_view name, std::string_view text);

  // The automatic logon password: the secret when there is one, otherwise
  // the registry value of a machine set up before it was kept secret (read
  // as Read reads it), which the next save moves into the secret.
  std::string ReadPassword() const;
  // Stores the password as the secret and deletes the registry value (a
  // missing one is no refusal). When Windows refuses the secret, writes the
  // registry value instead. An empty password deletes the secret and writes
  // an empty value: without any DefaultPassword Windows turns automatic
  // logon off, and an account without a password could not use it.
  PasswordWrite WritePassword(const std::string& text);

  // The stored Shell value, or empty text when there is none.
  std::string ReadShellValue() const;
  // Writes `text` untrimmed as the Shell value when it is not blank and a
  // search for the text itself finds a normal file (a bare name is looked up
  // in the current folder; hidden, system files and folders do not count). A
  // text with a wildcard is never written, whatever it matches: Windows would
  // start no shell at logon.
  // Otherwise nothing is written. The registry may still refuse the write.
  ShellWrite WriteShellValue(const std::string& text);

 private:
  registry::IDBAS_Registry& registry_;
  platform::FileSystem& files_;
  platform::SecretStore& secrets_;
};

// "AutoAdminLogon" as Windows reads it: on for the text "1" only.
int AutoLogonState(std::string_view stored);

// What the user is told when a save leaves the Shell value as it was although
// the field shows another text; empty when there is nothing to say (the text
// was written, or it matches what is stored) or when the registry refused it,
// which the save reports with its other refusals. Its wording is in
// autologon/autologon_texts.h.
std::string ShellNotWrittenMessage(ShellWrite outcome, const std::string& text,
                                   const std::string& stored);

}  // namespace ferrolis::autologon
