// The form runtime: keeps the forms, raises their handlers for the user's
// actions, shows message boxes and ends the program.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/renderer.h"

namespace ferrolis::ui {

class Form;

// Thrown by Runtime::End to unwind the running handler; caught where the
// user's event entered the runtime.
struct ProgramEnded {};

// What the runtime needs of the program around it.
struct RuntimeHost {
  // The program's title, on the box that reports a fault no handler dealt with.
  std::string title;
  // Ends the process at once with the given exit code.
  std::function<void(int)> exit;
};

class Runtime {
 public:
  explicit Runtime(RuntimeHost host);
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  void SetRenderer(Renderer& renderer) { renderer_ = &renderer; }
  Renderer& renderer() const { return *renderer_; }
  const std::string& program_title() const { return host_.title; }
  // Ends the process at once, without unwinding: for a renderer whose frames
  // an End must not cross.
  void ExitProcess(int code) const { host_.exit(code); }

  // Loads and shows the start-up form, then dispatches events until the
  // program ends.
  void Run(Form& startup);

  // A modal message box; returns the button pressed.
  int MsgBox(const std::string& prompt, int style, const std::string& title);
  // Ends the program at once: no further handler runs.
  [[noreturn]] void End();
  bool ended() const { return ended_; }
  // A user event (or a handler it raised) is running; EventEnded follows.
  bool in_event() const { return depth_ > 0; }

  // The user's actions, as renderers (and headless tests) report them. Each
  // runs its handlers; an End inside them ends the program here. Whatever
  // message asked for it, an action reaches only what the user can use now
  // (UserCanUse): otherwise the model stays as it was and no handler runs.
  void UserClick(Control& control);
  // False when a text other than the model's was refused: the control must
  // show the model's text again, so that it never holds what the model does
  // not (a later change would carry it in).
  bool UserChangedText(Control& control, const std::string& text);
  // Returns the key code the control should go on with (0: swallowed).
  int UserKeyPress(Control& control, int key_ascii);
  // One action of the user on a list (a click, a shift-click, a key) left
  // these lines selected: the model takes them all, then Click runs once if
  // anything changed. False when refused: the list must show the model's
  // selection again.
  bool UserSelectedLines(Control& control, const std::vector<bool>& lines);
  void UserSelectedText(Control& control, int start, int length);
  // The close box of a form.
  void UserClose(Form& form);
  // Windows asks whether the session may end (logoff, shutdown). The forms on
  // screen, newest first, ask what they ask on closing and stay; true when
  // none refused. While a handler runs or a message box waits, no form is
  // asked: true only when none holds unsaved changes. A true answer holds for
  // the rest of the round (Windows asks each of the program's windows) until
  // UserEndSession.
  bool UserQueryEndSession();
  // Windows says whether the session ends: if so the program ends at once, as
  // its closing does; if not (another program refused) it goes on with what
  // it holds.
  void UserEndSession(bool ending);
  // The focus has arrived at a control, by the user or by code. GotFocus runs
  // only when the form can be used and the control can take the focus.
  void FocusArrived(Control& control);

  // Whether the user can act on the form now: it is on screen, no message box
  // is open and no modal form shown over it is still open.
  bool FormUsable(const Form& form) const;
  // Whether a user's action may reach the control now: its form can be used,
  // the control and every frame or menu around it are enabled and visible,
  // and no handler is running. A handler runs only inside an event, so
  // anything that arrives meanwhile comes through a loop the runtime did not
  // open (a box the system shows for a handler, such as the shell's About
  // box), over forms the user cannot reach.
  bool UserCanUse(const Control& control) const;

  // Forms currently loaded, oldest first.
  const std::vector<Form*>& loaded_forms() const { return loaded_; }
  // The form a message box belongs to: the newest visible form.
  Form* ActiveForm() const;

  // Runs `action` as the entry of a user event. Nested inside another event
  // (a handler whose code moved the focus, say) it runs plainly, so that an
  // End unwinds the whole handler chain.
  template <class Action>
  void Dispatch(Action&& action) {
    if (ended_) return;
    if (depth_ > 0) {
      action();
      return;
    }
    const DepthGuard guard(depth_);
    const EndOfEvent end(renderer_);
    try {
      action();
    } catch (const ProgramEnded&) {
      Terminate();
    } catch (const std::exception& error) {
      // A fault no handler dealt with: say so and end, as a runtime error would.
      Fail(error.what());
    }
  }

  // A renderer that runs a nested message loop (a modal window, a message box)
  // opens a scope of its own: events inside it are entries again, so that an
  // End never unwinds through the platform's own frames.
  class ModalScope {
   public:
    explicit ModalScope(Runtime& runtime) : runtime_(runtime), saved_(runtime.depth_) {
      runtime_.depth_ = 0;
    }
    ~ModalScope() { runtime_.depth_ = saved_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    Runtime& runtime_;
    int saved_;
  };

 private:
  friend class Form;
  void FormLoaded(Form& form);
  void FormUnloaded(Form& form);
  // The form is being shown modal: every other loaded form is beneath it
  // until it is unloaded.
  void ModalShown(Form& form);
  int ShowBox(const std::string& prompt, int style, const std::string& title);
  void Terminate();
  void Fail(const std::string& what);

  struct EndOfEvent {
    explicit EndOfEvent(Renderer* renderer) : renderer_(renderer) {}
    ~EndOfEvent() {
      if (renderer_ != nullptr) renderer_->EventEnded();
    }
    EndOfEvent(const EndOfEvent&) = delete;
    EndOfEvent& operator=(const EndOfEvent&) = delete;
    Renderer* renderer_;
  };
  struct DepthGuard {
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& depth_;
  };

  RuntimeHost host_;
  Renderer* renderer_ = nullptr;
  std::vector<Form*> loaded_;
  struct ModalForm {
    const Form* form;
    std::vector<const Form*> beneath;
  };
  std::vector<ModalForm> modal_;
  int boxes_open_ = 0;
  bool ended_ = false;
  int depth_ = 0;
  bool session_may_end_ = false;
};

}  // namespace ferrolis::ui
