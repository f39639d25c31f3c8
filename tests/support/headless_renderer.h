// A renderer without windows: tests act as the user through it, script the
// answers of message boxes and read back every box shown.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/renderer.h"
#include "ui/runtime.h"

namespace ferrolis::testing {

struct ShownBox {
  std::string owner;  // name of the owning form, empty for none
  std::string prompt;
  std::string title;
  int style = 0;
};

class HeadlessRenderer final : public ui::Renderer {
 public:
  explicit HeadlessRenderer(ui::Runtime& runtime);

  // The answers the next message boxes get, in order. Without one, a box gets
  // its first button (OK, or Yes).
  void Answer(int result) { answers_.push_back(result); }
  // What another program does while the next box is open, inside its loop.
  void WhileNextBoxOpen(std::function<void()> action) { while_box_ = std::move(action); }
  // What another program does while the next form is being put on screen.
  void WhileNextFormShows(std::function<void()> action) { while_show_ = std::move(action); }

  const std::vector<ShownBox>& boxes() const { return boxes_; }
  // Names of the forms shown, in order, with " (modal)" for modal ones.
  const std::vector<std::string>& shown() const { return shown_; }
  bool loop_ran() const { return loop_ran_; }

  // The user's actions. They follow the same rules as the real windows: what
  // is disabled or hidden, directly or through a frame, cannot be reached.
  void Click(ui::Control& control);
  // Tab (Shift+Tab when backwards) moves the focus to the next tab stop.
  void PressTab(ui::Form& form, bool backwards = false);
  // An arrow key on the focused option button: the focus and the choice move
  // to the next (1) or previous (-1) button of its group.
  void PressArrow(ui::Form& form, int step);
  // Enter presses the focused command button or else the default button;
  // without either it is a key press of the focused control.
  void PressEnter(ui::Form& form);
  void PressEscape(ui::Form& form);
  // A click on a list line, plain or with Shift or Ctrl held, as an extended
  // selection list takes it.
  enum class Held { None, Shift, Ctrl };
  void ClickLine(ui::Control& list, int line, Held held = Held::None);
  // One action that leaves exactly these lines selected.
  void SelectLines(ui::Control& list, const std::vector<int>& lines);
  // Types each character as a key press, as a single-line text box does.
  void Type(ui::Control& control, const std::string& text);
  void PressKey(ui::Control& control, int key_ascii);
  void Focus(ui::Control& control);
  void Close(ui::Form& form);

  // ui::Renderer
  void CreateForm(ui::Form& form) override;
  void ShowForm(ui::Form& form, bool modal) override;
  void DestroyForm(ui::Form& form) override;
  void FormCaptionChanged(ui::Form& form) override {}
  void PropertyChanged(ui::Control& control, ui::Property property) override {}
  void ListLineAdded(ui::Control& control, int line) override {}
  void ListLineSelected(ui::Control& control, int line) override {}
  void SetFocus(ui::Control& control) override;
  int ShowMessageBox(ui::Form* owner, const std::string& prompt, const std::string& title,
                     int style) override;
  void RunMessageLoop() override { loop_ran_ = true; }
  void QuitMessageLoop() override {}
  platform::NativeHandle WindowHandle(const ui::Form& form) const override;
  platform::NativeHandle IconHandle(const ui::Form& form) const override;

 private:
  ui::Runtime& runtime_;
  std::deque<int> answers_;
  std::function<void()> while_box_;
  std::function<void()> while_show_;
  std::vector<ShownBox> boxes_;
  std::vector<std::string> shown_;
  bool loop_ran_ = false;
  // The line a Shift-click selects from, per list.
  std::map<const ui::Control*, int> anchors_;
};

}  // namespace ferrolis::testing
