// The renderer's bookkeeping (which window shows which form and control) and
// the model's changes shown on the windows, property by property.
#include "platform/win32/win32_renderer.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/win32/win32_kinds.h"
#include "platform/win32/win32_text.h"
#include "ui/kinds.h"
#include "ui/rules.h"

namespace ferrolis::platform::win32 {

Win32Renderer::Win32Renderer(ui::Runtime& runtime, HINSTANCE instance)
    : runtime_(runtime), instance_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterClasses();
}

Win32Renderer::~Win32Renderer() {
  // Forms normally destroy their windows themselves; a renderer that goes
  // first takes what is left with it.
  while (!forms_.empty()) DestroyForm(*forms_.begin()->second->form);
}

Win32Renderer::FormWindow* Win32Renderer::Find(const ui::Form& form) const {
  auto it = forms_.find(&form);
  return it == forms_.end() ? nullptr : it->second.get();
}

Win32Renderer::ControlWindow* Win32Renderer::Find(const ui::Control& control) const {
  auto it = by_control_.find(&control);
  return it == by_control_.end() ? nullptr : it->second;
}

Win32Renderer::ControlWindow* Win32Renderer::Find(HWND hwnd) const {
  auto it = by_hwnd_.find(hwnd);
  return it == by_hwnd_.end() ? nullptr : it->second;
}

bool Win32Renderer::IsFormWindow(HWND hwnd) const {
  return std::any_of(forms_.begin(), forms_.end(),
                     [hwnd](const auto& entry) { return entry.second->hwnd == hwnd; });
}

// The control's place among its form's controls, counted from well above
// IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape.
int Win32Renderer::ControlId(const ui::Control& control) {
  constexpr int kFirstId = 1000;
  const auto& controls = control.form().controls();
  const auto at = std::find_if(controls.begin(), controls.end(),
                               [&](const auto& c) { return c.get() == &control; });
  return kFirstId + static_cast<int>(at - controls.begin());
}

HWND Win32Renderer::ControlHandle(const ui::Control& control) const {
  const ControlWindow* cw = Find(control);
  return cw ? cw->hwnd : nullptr;
}

HWND Win32Renderer::TooltipHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? fw->tooltip.get() : nullptr;
}

int Win32Renderer::FormDpi(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? fw->dpi : kDefaultDpi;
}

platform::NativeHandle Win32Renderer::WindowHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? reinterpret_cast<platform::NativeHandle>(fw->hwnd.get()) : 0;
}

platform::NativeHandle Win32Renderer::IconHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? reinterpret_cast<platform::NativeHandle>(fw->icon_big.get()) : 0;
}

void Win32Renderer::UpdateTooltip(ControlWindow& cw) {
  HWND tooltip = cw.form->tooltip;
  if (!tooltip) return;
  TTTOOLINFOW tool{};
  // The short record every comctl32 version accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = cw.form->hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(cw.hwnd);
  const bool exists = SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
  std::wstring text = Widen(cw.control->tooltip());
  tool.lpszText = text.data();
  if (text.empty()) {
    if (exists) SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (exists) {
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Win32Renderer::FormCaptionChanged(ui::Form& form) {
  if (FormWindow* fw = Find(form)) SetWindowTextW(fw->hwnd, Widen(form.caption()).c_str());
}

// A control shows and takes input only when every frame around it does too.
void Win32Renderer::ShowEffectiveState(ui::Control& control) {
  ControlWindow* cw = Find(control);
  if (!cw) return;
  const bool visible = ui::EffectivelyVisible(control);
  const bool enabled = ui::EffectivelyEnabled(control);
  if (IsWindowEnabled(cw->hwnd) != (enabled ? TRUE : FALSE)) EnableWindow(cw->hwnd, enabled);
  const bool shown = (GetWindowLongPtrW(cw->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != visible) ShowWindow(cw->hwnd, visible ? SW_SHOWNA : SW_HIDE);
  if (ui::TraitsOf(control.kind()).contains) {
    for (const auto& other : cw->form->controls) {
      if (other->control->container() == &control) ShowEffectiveState(*other->control);
    }
  }
}

void Win32Renderer::SetNativeText(ControlWindow& cw, const std::string& text) {
  const HWND saved = setting_text_;
  setting_text_ = cw.hwnd;
  SetWindowTextW(cw.hwnd, Widen(text).c_str());
  setting_text_ = saved;
}

// The model and the EDIT both count UTF-16 units.
void Win32Renderer::ApplySelection(ControlWindow& cw) {
  const ui::Control& control = *cw.control;
  SendMessageW(cw.hwnd, EM_SETSEL, static_cast<WPARAM>(control.sel_start()),
               static_cast<LPARAM>(control.sel_start() + control.sel_length()));
}

// How each property reaches the window; the kind's row says what applies.
void Win32Renderer::ShowCaption(ControlWindow& cw) {
  if (NativeKindOf(cw.control->kind()).text == NativeText::Caption) {
    SetNativeText(cw, WindowTextOf(*cw.control));
  }
}

void Win32Renderer::ShowText(ControlWindow& cw) {
  if (NativeKindOf(cw.control->kind()).text != NativeText::Text) return;
  SetNativeText(cw, cw.control->text());
  ApplySelection(cw);
}

void Win32Renderer::ShowValue(ControlWindow& cw) {
  if (!NativeKindOf(cw.control->kind()).checkable) return;
  SendMessageW(cw.hwnd, BM_SETCHECK, cw.control->value() ? BST_CHECKED : BST_UNCHECKED, 0);
  // A radio button sets its own WS_TABSTOP when it is checked or unchecked.
  ApplyGroupTabStops(*cw.form);
}

void Win32Renderer::ShowState(ControlWindow& cw) {
  ShowEffectiveState(*cw.control);
  ApplyGroupTabStops(*cw.form);
}

void Win32Renderer::PropertyChanged(ui::Control& control, ui::Property property) {
  if (ui::TraitsOf(control.kind()).menu_item) {
    if (FormWindow* fw = Find(control.form())) BuildMenuBar(*fw);
    return;
  }
  using Applier = void (Win32Renderer::*)(ControlWindow&);
  static constexpr std::pair<ui::Property, Applier> kAppliers[] = {
      {ui::Property::Caption, &Win32Renderer::ShowCaption},
      {ui::Property::Text, &Win32Renderer::ShowText},
      {ui::Property::Value, &Win32Renderer::ShowValue},
      {ui::Property::Enabled, &Win32Renderer::ShowState},
      {ui::Property::Visible, &Win32Renderer::ShowState},
      {ui::Property::ToolTip, &Win32Renderer::UpdateTooltip},
      {ui::Property::ToolTip, &Win32Renderer::ShowCaption},  // a picture button's name
      {ui::Property::ListItems, &Win32Renderer::SyncListItems},
      {ui::Property::Selection, &Win32Renderer::ApplySelection},
  };
  ControlWindow* cw = Find(control);
  if (!cw) return;
  {
    CodeCall call(*this);
    for (const auto& [changed, apply] : kAppliers) {
      if (changed == property) (this->*apply)(*cw);
    }
  }
  DeliverHeldFocus();
}

// Tab stops inside option groups follow the choice: only the button Tab
// stops at carries WS_TABSTOP.
void Win32Renderer::ApplyGroupTabStops(FormWindow& fw) {
  for (const auto& cw : fw.controls) {
    if (!ui::TraitsOf(cw->control->kind()).grouped) continue;
    const LONG_PTR style = GetWindowLongPtrW(cw->hwnd, GWL_STYLE);
    const LONG_PTR wanted =
        NativeTabStop(*cw->control) ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP});
    if (wanted != style) SetWindowLongPtrW(cw->hwnd, GWL_STYLE, wanted);
  }
}

}  // namespace ferrolis::platform::win32
