#include "about/frm_about.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <vector>

#include "about/about_texts.h"
#include "registry/idbas_registry.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::about {
namespace {

const ui::FormStyle kAboutStyle{
    .border = ui::BorderStyle::FixedDialog,
    .min_button = false,
    .max_button = false,
    .show_in_taskbar = false,
    .centered = true,
    .client_width = 6000,
    .client_height = 3960,
};

// The window's own font; Windows draws a similar one where it is missing.
constexpr const char* kComic = "Comic Sans MS";

// The largest value data GetKeyValue reads, in bytes.
constexpr std::uint32_t kValueBufferSize = 1024;

}  // namespace

frmAbout::frmAbout(program::Services& services)
    : ui::Form(services.runtime, "frmAbout", texts::kWindowCaption, kAboutStyle),
      Image1(Add(ui::ControlKind::Image, "Image1").At(240, 240, 720, 720).Picture("#1")),
      lblTitle(Add(ui::ControlKind::Label, "lblTitle")
                   .Caption(texts::kProgramName)
                   .At(1200, 200, 4560, 540)
                   .Font({.name = kComic, .points = 18, .bold = true})),
      lblVersion(Add(ui::ControlKind::Label, "lblVersion")
                     .Caption(texts::kVersionCaption)
                     .At(1200, 780, 4560, 300)
                     .Font({.name = kComic, .points = 9.75})),
      lblDescription(Add(ui::ControlKind::Label, "lblDescription")
                         .Caption(texts::kAuthorNotice)
                         .At(1200, 1140, 4560, 840)
                         .Font({.name = kComic, .points = 8.25})),
      Label3(Add(ui::ControlKind::Label, "Label3")
                 .Caption(std::string(texts::kWebAddressBefore) + kMakerWebAddress)
                 .At(240, 2340, 3960, 270)
                 .ToolTip(texts::kWebSiteTip)
                 .Pointer(ui::MousePointer::Hand)
                 .Font({.name = kComic, .points = 8.25, .underline = true})),
      lblDisclaimer(Add(ui::ControlKind::Label, "lblDisclaimer")
                        .Caption(std::string(texts::kEmailAddressBefore) + kMakerEmailAddress)
                        .At(240, 2700, 3960, 270)
                        .ToolTip(texts::kSendMailTip)
                        .Pointer(ui::MousePointer::Hand)
                        .Font({.name = kComic, .points = 8.25, .underline = true})),
      Image2(Add(ui::ControlKind::Image, "Image2")
                 .At(4320, 2280, 1440, 720)
                 .Picture("DONATE")
                 .ToolTip(texts::kDonateTip)
                 .Pointer(ui::MousePointer::Hand)),
      Line1{&Add(ui::ControlKind::Line, "Line1", 0).At(240, 2160, 5520, 30),
            &Add(ui::ControlKind::Line, "Line1", 1).At(240, 3180, 5520, 30)},
      cmdOK(Add(ui::ControlKind::CommandButton, "cmdOK")
                .Caption(texts::kOkButton)
                .At(4500, 3360, 1260, 420)
                .Tab(0)
                .Default()
                .Cancel()
                .Font({.name = kComic, .points = 9.75, .bold = true})),
      cmdSysInfo(Add(ui::ControlKind::CommandButton, "cmdSysInfo")
                     .Caption(texts::kSystemInfoButton)
                     .At(2760, 3360, 1560, 420)
                     .Tab(1)
                     .ToolTip(texts::kSystemInfoTip)),
      Command1(Add(ui::ControlKind::CommandButton, "Command1")
                   .Caption(texts::kDetailsButton)
                   .At(240, 3360, 1260, 420)
                   .Tab(2)
                   .Font({.name = kComic, .points = 9.75})),
      services_(services) {
  cmdOK.OnClick = [this] { cmdOK_Click(); };
  cmdSysInfo.OnClick = [this] { cmdSysInfo_Click(); };
  Command1.OnClick = [this] { Command1_Click(); };
  Image2.OnClick = [this] { Image2_Click(); };
  Label3.OnClick = [this] { Label3_Click(); };
  lblDisclaimer.OnClick = [this] { lblDisclaimer_Click(); };
}

void frmAbout::Form_Load() {
  const std::string title = services_.system.ProgramTitle();
  const platform::ProgramVersion version = services_.system.Version();
  SetCaption(texts::kTitleBefore + title);
  lblVersion.SetCaption(texts::kVersionBefore + platform::VersionText(version));
  lblTitle.SetCaption(title);
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::Command1_Click() {
  const std::string lines[] = {
      texts::kDetailsVersionBefore + platform::VersionText(services_.system.Version()) +
          texts::kDetailsVersionAfter,
      "",
      texts::kAuthorNotice,
      std::string(texts::kEmailAddressBefore) + kMakerEmailAddress,
      std::string(texts::kWebAddressBefore) + kMakerWebAddress,
      "",
  };
  std::string prompt;
  for (const std::string& line : lines) {
    if (&line != &lines[0]) prompt += ui::kLineBreak;
    prompt += line;
  }
  runtime().MsgBox(prompt, ui::kOkOnly + ui::kInformation, texts::kDetailsTitle);
}

void frmAbout::Image2_Click() {
  services_.shell.ShellExecute(hwnd(), "Open", std::string(kMakerWebAddress) + kDonationPage, "",
                               services_.system.ProgramFolder(), platform::kShowNormal);
}

void frmAbout::Label3_Click() {
  services_.shell.ShellExecute(hwnd(), "Open", kMakerWebAddress, "",
                               services_.system.ProgramFolder(), platform::kShowNormal);
}

void frmAbout::lblDisclaimer_Click() {
  // Without a mail program nothing happens, and nothing is said either.
  try {
    services_.shell.ShellExecute(hwnd(), "Open", std::string("mailto:") + kMakerEmailAddress, "0",
                                 "0", platform::kShowNormal);
  } catch (const std::exception&) {
  }
}

void frmAbout::StartSysInfo() {
  try {
    std::string path;
    if (GetKeyValue(platform::kHkeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, path)) {
      // The tool named by the value, as it is written there; whether it
      // exists is the start's own business.
      if (services_.shell.StartProgram(path, platform::kShowNormal)) return;
    } else if (GetKeyValue(platform::kHkeyLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue,
                           path)) {
      const std::string tool = path + "\\MSINFO32.EXE";
      if (services_.files.FindNormalFile(tool) &&
          services_.shell.StartProgram(tool, platform::kShowNormal)) {
        return;
      }
    }
  } catch (const std::exception&) {
    // A drive that cannot be read, say: the tool is not found either.
  }
  runtime().MsgBox(texts::kSystemInfoNotFound, ui::kOkOnly, services_.system.ProgramTitle());
}

bool frmAbout::GetKeyValue(platform::RootKey KeyRoot, const std::string& KeyName,
                           const std::string& SubKeyRef, std::string& KeyVal) {
  // Read-only: asking for write rights under HKEY_LOCAL_MACHINE would fail
  // for anyone without administrator rights.
  const std::optional<registry::IDBAS_Registry::RawValue> value =
      registry::IDBAS_Registry(services_.registry)
          .ReadRawValue(KeyRoot, KeyName, SubKeyRef, kValueBufferSize);
  if (!value) {
    KeyVal.clear();
    return false;
  }
  std::string data(value->data.begin(), value->data.end());
  if (!data.empty() && data.back() == '\0') data.pop_back();
  KeyVal = value->type == platform::kRegSz ? data : std::string();  // text comes in UTF-8
  return true;
}

}  // namespace ferrolis::about
