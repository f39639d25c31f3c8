#include "support/headless_renderer.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/utf8.h"
#include "ui/kinds.h"
#include "ui/msgbox.h"
#include "ui/rules.h"

namespace ferrolis::testing {

HeadlessRenderer::HeadlessRenderer(ui::Runtime& runtime) : runtime_(runtime) {
  runtime_.SetRenderer(*this);
}

void HeadlessRenderer::Click(ui::Control& control) {
  if (!ui::EffectivelyVisible(control)) return;
  // A click moves the focus to the control first, as a mouse click does.
  if (ui::CanTakeFocus(control)) runtime_.FocusArrived(control);
  runtime_.UserClick(control);
}

void HeadlessRenderer::PressTab(ui::Form& form, bool backwards) {
  if (ui::Control* next = ui::NextTabStop(form, form.focused(), backwards)) {
    runtime_.FocusArrived(*next);
  }
}

void HeadlessRenderer::PressArrow(ui::Form& form, int step) {
  ui::Control* focused = form.focused();
  if (focused == nullptr || !ui::TraitsOf(focused->kind()).grouped) return;
  if (ui::Control* next = ui::NextInGroup(*focused, step)) {
    runtime_.FocusArrived(*next);
    runtime_.UserClick(*next);
  }
}

void HeadlessRenderer::PressEnter(ui::Form& form) {
  if (ui::Control* target = ui::EnterTarget(form)) {
    runtime_.UserClick(*target);
  } else if (form.focused() != nullptr) {
    PressKey(*form.focused(), 13);
  }
}

void HeadlessRenderer::PressEscape(ui::Form& form) {
  if (ui::Control* target = ui::EscapeTarget(form)) runtime_.UserClick(*target);
}

void HeadlessRenderer::ClickLine(ui::Control& list, int line, Held held) {
  if (!ui::CanTakeFocus(list) || line < 0 || line >= list.ListCount()) return;
  runtime_.FocusArrived(list);
  std::vector<bool> lines(static_cast<std::size_t>(list.ListCount()), false);
  int& anchor = anchors_[&list];
  if (!list.extended_selection() || held == Held::None) {
    lines[static_cast<std::size_t>(line)] = true;
    anchor = line;
  } else if (held == Held::Shift) {
    for (int i = std::min(anchor, line); i <= std::max(anchor, line); ++i) {
      lines[static_cast<std::size_t>(i)] = true;
    }
  } else {
    for (int i = 0; i < list.ListCount(); ++i)
      lines[static_cast<std::size_t>(i)] = list.Selected(i);
    lines[static_cast<std::size_t>(line)] = !list.Selected(line);
    anchor = line;
  }
  runtime_.UserSelectedLines(list, lines);
}

void HeadlessRenderer::SelectLines(ui::Control& list, const std::vector<int>& chosen) {
  if (!ui::CanTakeFocus(list)) return;
  std::vector<bool> lines(static_cast<std::size_t>(list.ListCount()), false);
  for (const int line : chosen) lines.at(static_cast<std::size_t>(line)) = true;
  runtime_.UserSelectedLines(list, lines);
}

void HeadlessRenderer::Type(ui::Control& control, const std::string& text) {
  // UTF-8 sequences arrive as one key each.
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = platform::CharacterLength(text, i);
    const auto lead = static_cast<unsigned char>(text[i]);
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
  if (auto action = std::exchange(while_show_, nullptr)) action();
  // The focus goes to the first tab stop.
  if (form.focused() != nullptr) return;
  if (ui::Control* first = ui::NextTabStop(form, nullptr, false)) runtime_.FocusArrived(*first);
}

void HeadlessRenderer::DestroyForm(ui::Form& form) {}

void HeadlessRenderer::SetFocus(ui::Control& control) { runtime_.FocusArrived(control); }

int HeadlessRenderer::ShowMessageBox(ui::Form* owner, const std::string& prompt,
                                     const std::string& title, int style) {
  boxes_.push_back({owner != nullptr ? owner->name() : std::string(), prompt, title, style});
  if (auto action = std::exchange(while_box_, nullptr)) {
    const ui::Runtime::ModalScope loop(runtime_);
    action();
  }
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
