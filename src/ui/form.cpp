#include "ui/form.h"

#include <utility>

#include "ui/runtime.h"

namespace ferrolis::ui {

Form::Form(Runtime& runtime, std::string name, std::string caption, FormStyle style)
    : runtime_(runtime),
      name_(std::move(name)),
      caption_(std::move(caption)),
      style_(std::move(style)) {}

Form::~Form() {
  if (loaded_) {
    runtime_.renderer().DestroyForm(*this);
    runtime_.FormUnloaded(*this);
  }
}

Control& Form::Add(ControlKind kind, std::string name, int index) {
  controls_.push_back(std::make_unique<Control>(*this, kind, std::move(name), index));
  return *controls_.back();
}

Control* Form::Find(const std::string& name, int index) const {
  for (const auto& control : controls_) {
    if (control->name() == name && control->index() == index) return control.get();
  }
  return nullptr;
}

void Form::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (loaded_) runtime_.renderer().FormCaptionChanged(*this);
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  runtime_.FormLoaded(*this);
  runtime_.renderer().CreateForm(*this);
  Form_Load();
}

void Form::Show(bool modal) {
  Load();
  shown_ = true;
  if (modal) runtime_.ModalShown(*this);
  runtime_.renderer().ShowForm(*this, modal);
}

bool Form::Unload() { return UnloadFor(kUnloadByCode); }

bool Form::Close() { return UnloadFor(kUnloadByUser); }

bool Form::QueryEndSession() {
  int cancel = 0;
  if (loaded_) Form_QueryUnload(cancel, kUnloadBySessionEnd);
  return cancel == 0;
}

bool Form::UnloadFor(int unload_mode) {
  if (!loaded_) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, unload_mode);
  if (cancel != 0 || !loaded_) return !loaded_;
  runtime_.renderer().DestroyForm(*this);
  loaded_ = false;
  shown_ = false;
  focused_ = nullptr;
  runtime_.FormUnloaded(*this);
  return true;
}

platform::NativeHandle Form::hwnd() const { return runtime_.renderer().WindowHandle(*this); }

platform::NativeHandle Form::icon_handle() const { return runtime_.renderer().IconHandle(*this); }

}  // namespace ferrolis::ui
