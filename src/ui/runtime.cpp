#include "ui/runtime.h"

#include <algorithm>
#include <utility>

#include "ui/form.h"
#include "ui/kinds.h"
#include "ui/msgbox.h"
#include "ui/rules.h"

namespace ferrolis::ui {

namespace {

// A control the user cannot reach (hidden or disabled, itself or a frame it
// sits in) raises no click, key or selection, whatever message asked for one:
// another program can send a click to a hidden button. A text change is
// still taken, so that the model holds what the box shows.
bool Reachable(const Control& control) {
  return EffectivelyEnabled(control) && EffectivelyVisible(control);
}

}  // namespace

Runtime::Runtime(RuntimeHost host) : host_(std::move(host)) {}

void Runtime::Run(Form& startup) {
  Dispatch([&] { startup.Show(false); });
  if (!ended_ && !loaded_.empty()) renderer_->RunMessageLoop();
}

int Runtime::MsgBox(const std::string& prompt, int style, const std::string& title) {
  const DepthGuard open(boxes_open_);
  return renderer_->ShowMessageBox(ActiveForm(), prompt, title, style);
}

void Runtime::End() { throw ProgramEnded{}; }

void Runtime::Fail(const std::string& what) {
  try {
    renderer_->ShowMessageBox(ActiveForm(), "Erreur inattendue : " + what, host_.title,
                              kOkOnly + kCritical);
  } catch (...) {
    // Ending matters more than the message.
  }
  Terminate();
}

void Runtime::Terminate() {
  ended_ = true;
  host_.exit(0);
}

void Runtime::UserClick(Control& control) {
  Dispatch([&] {
    if (!Reachable(control) || control.is_separator()) return;
    switch (TraitsOf(control.kind()).click) {
      case ClickEffect::None:
        break;
      case ClickEffect::Toggle:
        control.SetValue(control.value() == 0 ? 1 : 0);
        break;
      case ClickEffect::Select:
        // A click on the button already chosen changes nothing.
        if (control.value() == 0) control.SetValue(1);
        break;
      case ClickEffect::RaiseClick:
        if (control.OnClick) control.OnClick();
        break;
    }
  });
}

void Runtime::UserChangedText(Control& control, const std::string& text) {
  Dispatch([&] {
    if (text == control.text()) return;
    control.StoreTextFromUser(text);
    if (control.OnChange) control.OnChange();
  });
}

int Runtime::UserKeyPress(Control& control, int key_ascii) {
  if (!Reachable(control)) return 0;
  Dispatch([&] {
    if (control.OnKeyPress) control.OnKeyPress(key_ascii);
  });
  return ended_ ? 0 : key_ascii;
}

void Runtime::UserSelectedLines(Control& control, const std::vector<bool>& lines) {
  Dispatch([&] {
    if (!Reachable(control)) return;
    std::vector<bool> now(lines);
    now.resize(static_cast<std::size_t>(control.ListCount()), false);
    bool changed = false;
    for (int i = 0; i < control.ListCount(); ++i) {
      changed = changed || now[static_cast<std::size_t>(i)] != control.Selected(i);
    }
    if (!changed) return;
    control.StoreLinesFromUser(now);
    if (control.OnClick) control.OnClick();
  });
}

void Runtime::UserSelectedText(Control& control, int start, int length) {
  control.StoreSelectionFromUser(start, length);
}

void Runtime::UserClose(Form& form) {
  Dispatch([&] { form.Close(); });
}

bool Runtime::UserQueryEndSession() {
  if (ended_ || session_may_end_) return true;
  if (depth_ > 0 || boxes_open_ > 0) {
    // No question now over the one on screen; the user answers that first.
    session_may_end_ = std::none_of(loaded_.begin(), loaded_.end(),
                                    [](const Form* form) { return form->HasUnsavedChanges(); });
    return session_may_end_;
  }
  bool may_end = true;
  Dispatch([&] {
    const std::vector<Form*> newest_first(loaded_.rbegin(), loaded_.rend());
    for (Form* form : newest_first) {
      if (form->shown() && !form->QueryEndSession()) {
        may_end = false;
        return;
      }
    }
  });
  session_may_end_ = may_end;
  return may_end || ended_;
}

void Runtime::UserEndSession(bool ending) {
  session_may_end_ = false;
  if (ending && !ended_) Terminate();
}

void Runtime::FocusArrived(Control& control) {
  Form& form = control.form();
  if (form.focused_ == &control) return;
  form.focused_ = &control;
  Dispatch([&] {
    if (control.OnGotFocus) control.OnGotFocus();
  });
}

Form* Runtime::ActiveForm() const {
  for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it) {
    if ((*it)->shown()) return *it;
  }
  return nullptr;
}

void Runtime::FormLoaded(Form& form) {
  loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &form), loaded_.end());
  loaded_.push_back(&form);
}

void Runtime::FormUnloaded(Form& form) {
  loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &form), loaded_.end());
  if (loaded_.empty() && renderer_ != nullptr) renderer_->QuitMessageLoop();
}

}  // namespace ferrolis::ui
