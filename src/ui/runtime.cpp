#include "ui/runtime.h"

#include <algorithm>
#include <utility>

#include "ui/form.h"
#include "ui/kinds.h"
#include "ui/msgbox.h"
#include "ui/rules.h"

namespace ferrolis::ui {

Runtime::Runtime(RuntimeHost host) : host_(std::move(host)) {}

void Runtime::Run(Form& startup) {
  Dispatch([&] { startup.Load(); });
  // Shown outside the event that loaded it: once on screen the form is the
  // user's, and what reaches it as it appears is an event of its own.
  if (!ended_ && startup.loaded()) startup.Show(false);
  if (!ended_ && !loaded_.empty()) renderer_->RunMessageLoop();
}

int Runtime::MsgBox(const std::string& prompt, int style, const std::string& title) {
  return ShowBox(prompt, style, title);
}

// While a box is open, its answer is the only thing the user can give.
int Runtime::ShowBox(const std::string& prompt, int style, const std::string& title) {
  const DepthGuard open(boxes_open_);
  return renderer_->ShowMessageBox(ActiveForm(), prompt, title, style);
}

void Runtime::End() { throw ProgramEnded{}; }

void Runtime::Fail(const std::string& what) {
  try {
    ShowBox("Erreur inattendue : " + what, kOkOnly + kCritical, host_.title);
  } catch (...) {
    // Ending matters more than the message.
  }
  Terminate();
}

void Runtime::Terminate() {
  ended_ = true;
  host_.exit(0);
}

bool Runtime::FormUsable(const Form& form) const {
  if (!form.shown() || boxes_open_ > 0) return false;
  return std::none_of(modal_.begin(), modal_.end(), [&](const ModalForm& modal) {
    return std::find(modal.beneath.begin(), modal.beneath.end(), &form) != modal.beneath.end();
  });
}

bool Runtime::UserCanUse(const Control& control) const {
  return depth_ == 0 && FormUsable(control.form()) && EffectivelyEnabled(control) &&
         EffectivelyVisible(control);
}

void Runtime::UserClick(Control& control) {
  if (!UserCanUse(control)) return;
  Dispatch([&] {
    if (control.is_separator()) return;
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

bool Runtime::UserChangedText(Control& control, const std::string& text) {
  if (!UserCanUse(control)) return text == control.text();
  Dispatch([&] {
    if (text == control.text()) return;
    control.StoreTextFromUser(text);
    if (control.OnChange) control.OnChange();
  });
  return true;
}

int Runtime::UserKeyPress(Control& control, int key_ascii) {
  if (!UserCanUse(control)) return 0;
  Dispatch([&] {
    if (control.OnKeyPress) control.OnKeyPress(key_ascii);
  });
  return ended_ ? 0 : key_ascii;
}

bool Runtime::UserSelectedLines(Control& control, const std::vector<bool>& lines) {
  if (!UserCanUse(control)) return false;
  Dispatch([&] {
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
  return true;
}

void Runtime::UserSelectedText(Control& control, int start, int length) {
  control.StoreSelectionFromUser(start, length);
}

void Runtime::UserClose(Form& form) {
  if (depth_ > 0 || !FormUsable(form)) return;
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
  // Code moves the focus from inside handlers: only the form and the control
  // count here. An arrival refused leaves the model's focus where it was.
  if (form.focused_ == &control || !FormUsable(form) || !CanTakeFocus(control)) return;
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

void Runtime::ModalShown(Form& form) {
  ModalForm modal{&form, {}};
  for (const Form* other : loaded_) {
    if (other != &form) modal.beneath.push_back(other);
  }
  modal_.push_back(std::move(modal));
}

void Runtime::FormUnloaded(Form& form) {
  loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &form), loaded_.end());
  modal_.erase(std::remove_if(modal_.begin(), modal_.end(),
                              [&](const ModalForm& modal) { return modal.form == &form; }),
               modal_.end());
  for (ModalForm& modal : modal_) {
    modal.beneath.erase(std::remove(modal.beneath.begin(), modal.beneath.end(), &form),
                        modal.beneath.end());
  }
  if (loaded_.empty() && renderer_ != nullptr) renderer_->QuitMessageLoop();
}

}  // namespace ferrolis::ui
