#include "mainwindow/idd_main.h"

#include <algorithm>
#include <string>

#include "about/about_texts.h"
#include "access/access_texts.h"
#include "autologon/autologon_texts.h"
#include "export/export_texts.h"
#include "mainwindow/main_window_texts.h"
#include "restrictions/restrictions_texts.h"
#include "ui/runtime.h"
#include "uninstall/uninstall_texts.h"

namespace ferrolis::mainwindow {
namespace {

// Geometry, in twips. Left column: the logon group, each field's label above
// its box, then the save button. Right of it: the system settings frame.
// Below both: the password frame, then the uninstall list and the bottom row.
constexpr int kMargin = 120;
constexpr int kColumnWidth = 3000;
constexpr int kLabelHeight = 210;
constexpr int kTextHeight = 285;
constexpr int kButtonHeight = 420;
constexpr int kFieldTop = 1395;   // label of the first logon field
constexpr int kFieldPitch = 585;  // label, box and a gap
constexpr int FieldLabelTop(int field) { return kFieldTop + field * kFieldPitch; }
constexpr int FieldBoxTop(int field) { return FieldLabelTop(field) + kLabelHeight; }

constexpr int kSettingsLeft = kMargin + kColumnWidth + kMargin;
constexpr int kSettingsWidth = 4695;
constexpr int kClientWidth = kSettingsLeft + kSettingsWidth + kMargin;
// Inside the frame: the scope options, the check boxes one row each in their
// screen order (one row per restriction of the catalogue), the Shell label above
// its box. The frame, and everything below it, grows with the catalogue.
constexpr int kRestrictionRows = static_cast<int>(restrictions::kShellRestrictions.size());
constexpr int kSettingsTop = 60;
constexpr int kInnerLeft = 180;
constexpr int kInnerWidth = kSettingsWidth - 2 * kInnerLeft;
constexpr int kRowHeight = 225;
constexpr int kFirstBoxTop = 765;
constexpr int kShellLabelTop = kFirstBoxTop + kRestrictionRows * kRowHeight + 75;
constexpr int kShellBoxTop = kShellLabelTop + kLabelHeight;
constexpr int kSettingsHeight = kShellBoxTop + kTextHeight + 165;
constexpr int BoxTop(int screen_row) { return kFirstBoxTop + (screen_row - 1) * kRowHeight; }

// The left column ends with the save button.
constexpr int kSaveTop = 3795;

// Below both columns: the password frame, the uninstall list under its label,
// the bottom row of buttons.
constexpr int kPasswordTop =
    std::max(kSettingsTop + kSettingsHeight, kSaveTop + kButtonHeight) + 60;
constexpr int kPasswordHeight = 1455;
constexpr int kListLabelTop = kPasswordTop + kPasswordHeight + kMargin;
constexpr int kListTop = kListLabelTop + kLabelHeight + 15;
constexpr int kListHeight = 1950;
constexpr int kListWidth = kClientWidth - 2 * kMargin;
constexpr int kBottomRowTop = kListTop + kListHeight + kMargin;
constexpr int kClientHeight = kBottomRowTop + kButtonHeight + kMargin;

// Tab order: the logon column and its buttons, the frame with its scope
// options, its check boxes in screen order and the Shell value, then the
// password frame, the list and the bottom row.
constexpr int kFirstBoxTab = 10;
constexpr int BoxTab(int screen_row) { return kFirstBoxTab + screen_row - 1; }
constexpr int kShellLabelTab = BoxTab(kRestrictionRows + 1);
constexpr int kShellBoxTab = kShellLabelTab + 1;
constexpr int kPasswordTab = kShellBoxTab + 1;  // the frame; its controls follow
constexpr int kListTab = kPasswordTab + 9;

const ui::FormStyle kMainStyle{
    .border = ui::BorderStyle::FixedSingle,
    .min_button = true,
    .max_button = false,
    .show_in_taskbar = true,
    .centered = true,
    .client_width = kClientWidth,
    .client_height = kClientHeight,
};

const ui::FontSpec kBold{.bold = true};

}  // namespace

IDD_Main::IDD_Main(program::Services& services, access::Module1& module1)
    : ui::Form(services.runtime, "IDD_Main", texts::kWindowCaption, kMainStyle),
      Frame1(Add(ui::ControlKind::Frame, "Frame1")
                 .Caption(access::texts::kPasswordFrameCaption)
                 .At(kMargin, kPasswordTop, 6495, kPasswordHeight)
                 .Tab(kPasswordTab)
                 .Font(kBold)),
      Command4(Add(ui::ControlKind::CommandButton, "Command4")
                   .In(Frame1)
                   .At(5280, 780, 855, 615)
                   .Tab(kPasswordTab + 8)
                   .ToolTip(access::texts::kSaveToFloppyTip)
                   .Picture("FLOPPIES")
                   .Hidden()),
      Command3(Add(ui::ControlKind::CommandButton, "Command3")
                   .In(Frame1)
                   .Caption(access::texts::kValidateAndSaveButton)
                   .At(3720, 840, 1335, 495)
                   .Tab(kPasswordTab + 7)
                   .ToolTip(access::texts::kValidateAndSaveTip)
                   .Hidden()),
      Command2(Add(ui::ControlKind::CommandButton, "Command2")
                   .In(Frame1)
                   .At(5280, 150, 855, 615)
                   .Tab(kPasswordTab + 6)
                   .ToolTip(access::texts::kReadFromFloppyATip)
                   .Picture("FLOPPY")),
      Command1(Add(ui::ControlKind::CommandButton, "Command1")
                   .In(Frame1)
                   .Caption(access::texts::kValidateButton)
                   .At(3720, 240, 1335, 495)
                   .Tab(kPasswordTab + 5)),
      Text2(Add(ui::ControlKind::TextBox, "Text2")
                .In(Frame1)
                .At(2040, 960, 1575, 285)
                .Tab(kPasswordTab + 4)
                .PasswordChar('*')
                .Hidden()),
      Text1(Add(ui::ControlKind::TextBox, "Text1")
                .In(Frame1)
                .At(2040, 480, 1575, 285)
                .Tab(kPasswordTab + 2)
                .PasswordChar('*')),
      Label2(Add(ui::ControlKind::Label, "Label2")
                 .In(Frame1)
                 .Caption(access::texts::kNewPasswordLabel)
                 .At(120, 960, 1815, 255)
                 .Tab(kPasswordTab + 3)
                 .Align(ui::Alignment::Right)
                 .Hidden()),
      // As wide as Label2, its right edge kept: at 1575 twips the caption wraps and is cut
      // in the faces that stand in for MS Sans Serif (Tahoma).
      Label1(Add(ui::ControlKind::Label, "Label1")
                 .In(Frame1)
                 .Caption(access::texts::kOldPasswordLabel)
                 .At(120, 480, 1815, 255)
                 .Tab(kPasswordTab + 1)
                 .Align(ui::Alignment::Right)),
      cmdRefresh(Add(ui::ControlKind::CommandButton, "cmdRefresh")
                     .Caption(uninstall::texts::kRefreshButton)
                     .At(2040, kBottomRowTop, 1800, kButtonHeight)
                     .Tab(kListTab + 2)),
      cmdDelete(Add(ui::ControlKind::CommandButton, "cmdDelete")
                    .Caption(uninstall::texts::kDeleteButton)
                    .At(kMargin, kBottomRowTop, 1800, kButtonHeight)
                    .Tab(kListTab + 1)
                    .Disabled()),
      lstPrograms(Add(ui::ControlKind::ListBox, "lstPrograms")
                      .At(kMargin, kListTop, kListWidth, kListHeight)
                      .Tab(kListTab)
                      .ExtendedSelection()),
      IDFR_SystemSettings(Add(ui::ControlKind::Frame, "IDFR_SystemSettings")
                              .Caption(restrictions::texts::kSettingsFrameCaption)
                              .At(kSettingsLeft, kSettingsTop, kSettingsWidth, kSettingsHeight)
                              .Tab(7)),
      IDCK_Disable{},
      IDOP_Current(Add(ui::ControlKind::OptionButton, "IDOP_Current")
                       .In(IDFR_SystemSettings)
                       .Caption(restrictions::texts::kCurrentUserOption)
                       .At(kInnerLeft, 240 + kRowHeight, kInnerWidth, kRowHeight)
                       .Tab(9)),
      IDOP_All(Add(ui::ControlKind::OptionButton, "IDOP_All")
                   .In(IDFR_SystemSettings)
                   .Caption(restrictions::texts::kAllUsersOption)
                   .At(kInnerLeft, 240, kInnerWidth, kRowHeight)
                   .Tab(8)),
      IDE_Shell(Add(ui::ControlKind::TextBox, "IDE_Shell")
                    .In(IDFR_SystemSettings)
                    .At(kInnerLeft, kShellBoxTop, kInnerWidth, kTextHeight)
                    .Tab(kShellBoxTab)),
      IDL_Shell(Add(ui::ControlKind::Label, "IDL_Shell")
                    .In(IDFR_SystemSettings)
                    .Caption(autologon::texts::kShellLabel)
                    .At(kInnerLeft, kShellLabelTop, kInnerWidth, kLabelHeight)
                    .Tab(kShellLabelTab)),
      IDE_ReEnterPassword(Add(ui::ControlKind::TextBox, "IDE_ReEnterPassword")
                              .At(kMargin, FieldBoxTop(2), kColumnWidth, kTextHeight)
                              .Tab(3)
                              .PasswordChar('*')),
      IDCM_Exit(Add(ui::ControlKind::CommandButton, "IDCM_Exit")
                    .Caption(texts::kQuitButton)
                    .At(kClientWidth - kMargin - 1800, kBottomRowTop, 1800, kButtonHeight)
                    .Tab(6)
                    .ToolTip(texts::kQuitTip)),
      IDCM_Save(Add(ui::ControlKind::CommandButton, "IDCM_Save")
                    .Caption(texts::kSaveButton)
                    .At(kMargin, kSaveTop, kColumnWidth, kButtonHeight)
                    .Tab(5)
                    .ToolTip(texts::kSaveTip)),
      IDE_Username(Add(ui::ControlKind::TextBox, "IDE_Username")
                       .At(kMargin, FieldBoxTop(0), kColumnWidth, kTextHeight)
                       .Tab(1)),
      IDE_Password(Add(ui::ControlKind::TextBox, "IDE_Password")
                       .At(kMargin, FieldBoxTop(1), kColumnWidth, kTextHeight)
                       .Tab(2)
                       .PasswordChar('*')),
      IDE_Domain(Add(ui::ControlKind::TextBox, "IDE_Domain")
                     .At(kMargin, FieldBoxTop(3), kColumnWidth, kTextHeight)
                     .Tab(4)),
      IDCK_AutoLogin(Add(ui::ControlKind::CheckBox, "IDCK_AutoLogin")
                         .Caption(autologon::texts::kAutoLogonCheckBox)
                         .At(kMargin, 1050, kColumnWidth, 255)
                         .Tab(0)),
      IDL_AddRemove(Add(ui::ControlKind::Label, "IDL_AddRemove")
                        .Caption(uninstall::texts::kListLabel)
                        .At(kMargin, kListLabelTop, kListWidth, kLabelHeight)),
      IDL_Message(Add(ui::ControlKind::Label, "IDL_Message")
                      .Caption(autologon::texts::kShiftKeyNotice)
                      .At(kMargin, 345, kColumnWidth, 630)),
      IDL_Note(Add(ui::ControlKind::Label, "IDL_Note")
                   .Caption(texts::kNoteLabel)
                   .At(kMargin, kMargin, kColumnWidth, kLabelHeight)
                   .Font(kBold)),
      IDL_ReEnterPassword(Add(ui::ControlKind::Label, "IDL_ReEnterPassword")
                              .Caption(autologon::texts::kConfirmPasswordLabel)
                              .At(kMargin, FieldLabelTop(2), kColumnWidth, kLabelHeight)),
      IDL_Username(Add(ui::ControlKind::Label, "IDL_Username")
                       .Caption(autologon::texts::kUserNameLabel)
                       .At(kMargin, FieldLabelTop(0), kColumnWidth, kLabelHeight)),
      IDL_Password(Add(ui::ControlKind::Label, "IDL_Password")
                       .Caption(autologon::texts::kUserPasswordLabel)
                       .At(kMargin, FieldLabelTop(1), kColumnWidth, kLabelHeight)),
      IDL_Domain(Add(ui::ControlKind::Label, "IDL_Domain")
                     .Caption(autologon::texts::kDomainLabel)
                     .At(kMargin, FieldLabelTop(3), kColumnWidth, kLabelHeight)),
      Mnu_Fichier(
          Add(ui::ControlKind::MenuItem, "Mnu_Fichier").Caption(exporting::texts::kFileMenu)),
      Mnu_Exporter(Add(ui::ControlKind::MenuItem, "Mnu_Exporter")
                       .Caption(exporting::texts::kExportMenuItem)
                       .In(Mnu_Fichier)),
      Mnu_Apropos(Add(ui::ControlKind::MenuItem, "Mnu_Apropos").Caption(about::texts::kAboutMenu)),
      IDM_About(Add(ui::ControlKind::MenuItem, "IDM_About")
                    .Caption(about::texts::kSystemInformationMenuItem)
                    .In(Mnu_Apropos)),
      sep1(Add(ui::ControlKind::MenuItem, "sep1").Caption("-").In(Mnu_Apropos)),
      Mnu_Auteur(Add(ui::ControlKind::MenuItem, "Mnu_Auteur")
                     .Caption(about::texts::kAuthorMenuItem)
                     .In(Mnu_Apropos)),
      sep2(Add(ui::ControlKind::MenuItem, "sep2").Caption("-").In(Mnu_Apropos)),
      Mnu_Quitter(Add(ui::ControlKind::MenuItem, "Mnu_Quitter")
                      .Caption(texts::kQuitMenuItem)
                      .In(Mnu_Apropos)),
      services_(services),
      module1_(module1),
      registry_(services.registry),
      restrictions_(registry_),
      winlogon_(registry_, services.files, services.secrets) {
  IDOP_All.SetValue(1);  // selected in the design, before any handler is bound
  // The labels that name the boxes and the list, for screen readers.
  IDL_Username.Names(IDE_Username);
  IDL_Password.Names(IDE_Password);
  IDL_ReEnterPassword.Names(IDE_ReEnterPassword);
  IDL_Domain.Names(IDE_Domain);
  IDL_Shell.Names(IDE_Shell);
  Label1.Names(Text1);
  Label2.Names(Text2);
  IDL_AddRemove.Names(lstPrograms);
  for (const auto& row : restrictions::kShellRestrictions) {
    ui::Control& box = Add(ui::ControlKind::CheckBox, "IDCK_Disable", row.Index)
                           .In(IDFR_SystemSettings)
                           .Caption(std::string(row.Caption))
                           .At(kInnerLeft, BoxTop(row.ScreenRow), kInnerWidth, kRowHeight)
                           .Tab(BoxTab(row.ScreenRow))
                           .ToolTip(restrictions::ValueNamesText(row));
    IDCK_Disable[static_cast<std::size_t>(row.Index)] = &box;
    box.OnClick = [this, index = row.Index] { IDCK_Disable_Click(index); };
  }

  IDCM_Exit.OnClick = [this] { IDCM_Exit_Click(); };
  Mnu_Quitter.OnClick = [this] { Mnu_Quitter_Click(); };
  IDCM_Save.OnClick = [this] { IDCM_Save_Click(); };
  IDE_Username.OnChange = [this] { IDE_Username_Change(); };
  IDE_Password.OnChange = [this] { IDE_Password_Change(); };
  IDE_ReEnterPassword.OnChange = [this] { IDE_ReEnterPassword_Change(); };
  IDE_Domain.OnChange = [this] { IDE_Domain_Change(); };
  IDE_Shell.OnChange = [this] { IDE_Shell_Change(); };
  IDE_Username.OnGotFocus = [this] { IDE_Username_GotFocus(); };
  IDE_Password.OnGotFocus = [this] { IDE_Password_GotFocus(); };
  IDE_ReEnterPassword.OnGotFocus = [this] { IDE_ReEnterPassword_GotFocus(); };
  IDE_Domain.OnGotFocus = [this] { IDE_Domain_GotFocus(); };
  IDE_Shell.OnGotFocus = [this] { IDE_Shell_GotFocus(); };
  IDCK_AutoLogin.OnClick = [this] { IDCK_AutoLogin_Click(); };
  IDOP_Current.OnClick = [this] { IDOP_Current_Click(); };
  IDOP_All.OnClick = [this] { IDOP_All_Click(); };
  cmdRefresh.OnClick = [this] { cmdRefresh_Click(); };
  cmdDelete.OnClick = [this] { cmdDelete_Click(); };
  lstPrograms.OnClick = [this] { lstPrograms_Click(); };
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.OnClick = [this] { Command2_Click(); };
  Command3.OnClick = [this] { Command3_Click(); };
  Command4.OnClick = [this] { Command4_Click(); };
  IDM_About.OnClick = [this] { IDM_About_Click(); };
  Mnu_Auteur.OnClick = [this] { Mnu_Auteur_Click(); };
  Mnu_Exporter.OnClick = [this] { Mnu_Exporter_Click(); };
}

}  // namespace ferrolis::mainwindow
