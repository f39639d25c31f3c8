// The program's own About window: title and version, the maker's notices, links
// to the maker's web site, donation page and e-mail address, the details box
// and the system's own system information tool.
#pragma once

#include <array>
#include <string>

#include "platform/registry.h"
#include "program/services.h"
#include "ui/form.h"

namespace ferrolis::about {

// The maker, as the window and its details box name it.
inline constexpr const char* kMakerWebAddress = "http://ferrolis.example.org";
inline constexpr const char* kMakerEmailAddress = "auteur@ferrolis.example.org";
// Below the web address.
inline constexpr const char* kDonationPage = "/Don/Don.htm";

// Where the system information tool is found, both under HKEY_LOCAL_MACHINE.
inline constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoPathValue = "PATH";
inline constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoFolderValue = "MSINFO";

class frmAbout : public ui::Form {
 public:
  explicit frmAbout(program::Services& services);

  ui::Control& Image1;
  ui::Control& lblTitle;
  ui::Control& lblVersion;
  ui::Control& lblDescription;
  ui::Control& Label3;
  ui::Control& lblDisclaimer;
  ui::Control& Image2;
  std::array<ui::Control*, 2> Line1;  // separators above and below the links
  ui::Control& cmdOK;
  ui::Control& cmdSysInfo;
  ui::Control& Command1;

  void Form_Load() override;
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void Command1_Click();
  void Image2_Click();
  void Label3_Click();
  void lblDisclaimer_Click();

  // Starts the system information tool, or says that it cannot be found.
  void StartSysInfo();
  // Reads the text value SubKeyRef of KeyName under KeyRoot into KeyVal. True
  // when the key was opened and the value read; KeyVal is then the value's
  // text (a terminating NUL dropped), or empty for a value of another type
  // than REG_SZ. On false KeyVal is empty.
  bool GetKeyValue(platform::RootKey KeyRoot, const std::string& KeyName,
                   const std::string& SubKeyRef, std::string& KeyVal);

 private:
  program::Services& services_;
};

}  // namespace ferrolis::about
