#include "support/headless_renderer.h"

#include <climits>

#include "ui/msgbox.h"

namespace ferrolis::testing {

HeadlessRenderer::HeadlessRenderer(ui::Runtime& runtime) : runtime_(runtime) {
  runtime_.SetRenderer(*this);
}

void HeadlessRenderer::Click(ui::Control& control) {
  // A click moves the focus to the control first, as a mouse click does.
  if (control.kind() != ui::ControlKind::Label && control.enabled()) {
    runtime_.FocusArrived(control);
  }
  runtime_.UserClick(control);
}

void HeadlessRenderer::Type(ui::Control& control, const std::string& text) {
  // UTF-8 sequences arrive as one key each.
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    const std::string character = text.substr(i, length);
    i += length;
    const int key = runtime_.UserKeyPress(control, length == 1 ? lead : 0x100);
    if (runtime_.ended()) return;
    if (key == 0 || key == 13) continue;  // swallowed; Enter adds no line
    const bool changed = length == 1 && key != lead;
    runtime_.UserChangedText(
        control, control.text() + (changed ? std::string(1, static_cast<char>(key)) : character));
  }
}

void HeadlessRenderer::PressKey(ui::Control& control, int key_ascii) {
  const int key = runtime_.UserKeyPress(control, key_ascii);
  if (key >= 32 && !runtime_.ended()) {
    runtime_.UserChangedText(control, control.text() + static_cast<char>(key));
  }
}

void HeadlessRenderer::Focus(ui::Control& control) { runtime_.FocusArrived(control); }

void HeadlessRenderer::Close(ui::Form& form) { runtime_.UserClose(form); }

void HeadlessRenderer::CreateForm(ui::Form& form) {}

void HeadlessRenderer::ShowForm(ui::Form& form, bool modal) {
  shown_.push_back(form.name() + (modal ? " (modal)" : ""));
  // The focus goes to the first control in tab order that can take it.
  if (form.focused() != nullptr) return;
  ui::Control* first = nullptr;
  for (const auto& control : form.controls()) {
    const auto kind = control->kind();
    const bool focusable = kind != ui::ControlKind::Label && kind != ui::ControlKind::Frame &&
                           kind != ui::ControlKind::Image && kind != ui::ControlKind::Line &&
                           kind != ui::ControlKind::MenuItem;
    if (!focusable || !control->enabled() || !control->visible() || control->tab_index() < 0) {
      continue;
    }
    if (first == nullptr || control->tab_index() < first->tab_index()) first = control.get();
  }
  if (first != nullptr) runtime_.FocusArrived(*first);
}

void HeadlessRenderer::DestroyForm(ui::Form& form) {}

void HeadlessRenderer::SetFocus(ui::Control& control) { runtime_.FocusArrived(control); }

int HeadlessRenderer::ShowMessageBox(ui::Form* owner, const std::string& prompt,
                                 const std::string& title, int style) {
  boxes_.push_back({owner != nullptr ? owner->name() : std::string(), prompt, title, style});
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  const int buttons = style & 0xF;
  return buttons == ui::kYesNo || buttons == ui::kYesNoCancel ? ui::kResultYes : ui::kResultOk;
}

platform::NativeHandle HeadlessRenderer::WindowHandle(const ui::Form& form) const {
  return reinterpret_cast<platform::NativeHandle>(&form);
}

platform::NativeHandle HeadlessRenderer::IconHandle(const ui::Form& form) const {
  // Distinct from the window handle, and one per form.
  return reinterpret_cast<platform::NativeHandle>(&form) + 1;
}

}  // namespace ferrolis::testing
