// What puts forms on a screen: native windows, or nothing at all in tests.
#pragma once

#include <string>

#include "platform/native_handle.h"
#include "ui/control.h"

namespace ferrolis::ui {

class Form;

class Renderer {
 public:
  virtual ~Renderer() = default;

  // The window and its controls come into being (hidden), before Form_Load.
  virtual void CreateForm(Form& form) = 0;
  // Shows the window. Modal: disables the other windows and returns only once
  // the form has been unloaded; a headless renderer returns at once.
  virtual void ShowForm(Form& form, bool modal) = 0;
  virtual void DestroyForm(Form& form) = 0;
  virtual void FormCaptionChanged(Form& form) = 0;

  virtual void PropertyChanged(Control& control, Property property) = 0;
  // One list box line was appended (unselected), or one line's selection
  // changed: only that line needs showing, so that filling a list of n lines
  // costs n updates, not n squared.
  virtual void ListLineAdded(Control& control, int line) = 0;
  virtual void ListLineSelected(Control& control, int line) = 0;
  // The outermost user event (and every handler it raised) is over: a renderer
  // that held back redrawing during it shows the result now.
  virtual void EventEnded() {}
  // Moves the keyboard focus; the renderer reports the arrival through
  // Runtime::FocusArrived.
  virtual void SetFocus(Control& control) = 0;

  // A modal message box owned by `owner` (may be null); returns the button.
  virtual int ShowMessageBox(Form* owner, const std::string& prompt, const std::string& title,
                             int style) = 0;

  // Dispatches user events until no form is left.
  virtual void RunMessageLoop() = 0;
  // The loop must end: the last form is gone.
  virtual void QuitMessageLoop() = 0;

  virtual platform::NativeHandle WindowHandle(const Form& form) const = 0;
  virtual platform::NativeHandle IconHandle(const Form& form) const = 0;
};

}  // namespace ferrolis::ui
