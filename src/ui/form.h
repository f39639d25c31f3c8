// A window of the program: its declared look, its controls and its handlers.
// Concrete forms derive from Form, declare their controls as members in their
// constructor and override the lifecycle handlers they need.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/native_handle.h"
#include "ui/control.h"

namespace ferrolis::ui {

class Runtime;

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog };

// Why a form is being unloaded, as passed to Form_QueryUnload. For the end of
// the session the form is only asked: it stays, and the program ends when
// Windows ends the session.
enum UnloadMode { kUnloadByUser = 0, kUnloadByCode = 1, kUnloadBySessionEnd = 2 };

struct FormStyle {
  BorderStyle border = BorderStyle::Sizable;
  bool control_box = true;  // system menu and close box
  bool min_button = true;
  bool max_button = true;
  bool show_in_taskbar = true;
  bool centered = false;
  // Client area in twips.
  int client_width = 0;
  int client_height = 0;
  // Icon resource name; empty for the program's own icon.
  std::string icon = {};
};

class Form {
 public:
  Form(Runtime& runtime, std::string name, std::string caption, FormStyle style);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const FormStyle& style() const { return style_; }
  Runtime& runtime() const { return runtime_; }
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  // The control with this name (and array index), or nullptr.
  Control* Find(const std::string& name, int index = -1) const;

  bool loaded() const { return loaded_; }
  bool shown() const { return shown_; }
  Control* focused() const { return focused_; }

  // Creates the window and runs Form_Load, once.
  void Load();
  // Loads when needed and shows. Modal: returns once the form is unloaded (a
  // headless renderer returns at once, leaving the form open for the test).
  void Show(bool modal);
  // Form_QueryUnload (by code) then, unless cancelled, removes the window.
  // Returns whether the form was unloaded.
  bool Unload();
  // The close box: the same, with the user as the reason.
  bool Close();
  // The session is ending: Form_QueryUnload with kUnloadBySessionEnd; the form
  // stays. Returns whether it let the session end.
  bool QueryEndSession();
  // Whether the form holds changes that closing it would ask about.
  virtual bool HasUnsavedChanges() const { return false; }

  platform::NativeHandle hwnd() const;
  platform::NativeHandle icon_handle() const;

  // Handlers.
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(int& cancel, int unload_mode) {}

 protected:
  Control& Add(ControlKind kind, std::string name, int index = -1);

 private:
  friend class Control;
  friend class Runtime;
  bool UnloadFor(int unload_mode);

  Runtime& runtime_;
  std::string name_;
  std::string caption_;
  FormStyle style_;
  std::vector<std::unique_ptr<Control>> controls_;
  bool loaded_ = false;
  bool shown_ = false;
  Control* focused_ = nullptr;
};

}  // namespace ferrolis::ui
