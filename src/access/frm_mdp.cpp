#include "access/frm_mdp.h"

#include "access/access_texts.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::access {
namespace {

const ui::FormStyle kGateStyle{
    .border = ui::BorderStyle::FixedSingle,
    .control_box = true,
    .min_button = false,
    .max_button = false,
    .show_in_taskbar = false,
    .centered = true,
    .client_width = 3300,
    .client_height = 1545,
};

const ui::FontSpec kBoldLabelFont{.name = "MS Sans Serif", .points = 8.25, .bold = true};

}  // namespace

FrmMDP::FrmMDP(program::Services& services, Module1& module, std::function<ui::Form&()> main_window)
    : ui::Form(services.runtime, "FrmMDP", texts::kGateCaption, kGateStyle),
      Label1(Add(ui::ControlKind::Label, "Label1")
                 .Caption(texts::kGatePrompt)
                 .At(120, 120, 3135, 255)
                 .Tab(3)
                 .Font(kBoldLabelFont)),
      Text1(
          Add(ui::ControlKind::TextBox, "Text1").At(120, 480, 3015, 285).Tab(0).PasswordChar('*')),
      Command1(Add(ui::ControlKind::CommandButton, "Command1")
                   .Caption(texts::kOkButton)
                   .At(120, 960, 1095, 495)
                   .Tab(1)),
      Command2(Add(ui::ControlKind::CommandButton, "Command2")
                   .Caption(texts::kCancelButton)
                   .At(1440, 960, 1095, 495)
                   .Tab(2)),
      Command3(Add(ui::ControlKind::CommandButton, "Command3")
                   .At(2640, 960, 495, 495)
                   .Tab(4)
                   .ToolTip(texts::kReadFromFloppyTip)
                   .Picture("FLOPPY")),
      services_(services),
      module_(module),
      main_window_(std::move(main_window)) {
  Label1.Names(Text1);  // for screen readers
  Command1.OnClick = [this] { Command1_Click(); };
  Command2.OnClick = [this] { Command2_Click(); };
  Command3.OnClick = [this] { Command3_Click(); };
  Text1.OnKeyPress = [this](int& key) { Text1_KeyPress(key); };
}

void FrmMDP::Form_Load() {
  if (services_.system.AnotherInstanceRunning()) {
    runtime().MsgBox(texts::kAlreadyRunning, ui::kOkOnly + ui::kExclamation,
                     texts::kAlreadyRunningTitle);
    runtime().End();
  }

  try {
    if (!module_.FindSystemCopy()) {
      runtime().MsgBox(texts::kFirstUse, ui::kOkOnly + ui::kExclamation, texts::kFirstUseTitle);
    } else {
      module_.ReadPasswordFile();
    }
  } catch (const std::exception&) {
    // An unreadable or damaged system copy must never open the gate with the
    // empty password of a first use.
    RefuseDamagedPasswordFile();
  }

  Text1.SetText("");
}

void FrmMDP::RefuseDamagedPasswordFile() {
  runtime().MsgBox(texts::kDamagedPasswordFile, ui::kOkOnly + ui::kExclamation, texts::kErrorTitle);
  runtime().End();
}

void FrmMDP::Command1_Click() {
  if (!module_.Matches(Text1.text())) {
    runtime().MsgBox(texts::kSorryWrongPassword, ui::kOkOnly + ui::kExclamation,
                     texts::kWrongPasswordTitle);
    Text1.SetText("");
    Text1.SetFocus();
    return;
  }
  main_window_().Show(true);
}

void FrmMDP::Command2_Click() { runtime().End(); }

void FrmMDP::Command3_Click() {
  const auto password = module_.ReadFloppyPassword();
  if (!password) return;
  Text1.SetText(*password);
  Command1_Click();
}

void FrmMDP::Text1_KeyPress(int& key_ascii) {
  if (key_ascii != 13) return;
  Command1_Click();
  key_ascii = 0;  // Enter is the validation, not a character of the box
}

}  // namespace ferrolis::access
