#include "platform/win32/win32_layout.h"

#include <algorithm>
#include <cmath>

namespace ferrolis::platform::win32 {

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

int FontHeightForPoints(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / 72.0));
}

PixelRect ControlRect(const ui::Control& control, int dpi) {
  const ui::Twips& at = control.position();
  PixelRect rect{TwipsToPixels(at.left, dpi), TwipsToPixels(at.top, dpi),
                 TwipsToPixels(at.width, dpi), TwipsToPixels(at.height, dpi)};
  for (const ui::Control* frame = control.container(); frame != nullptr;
       frame = frame->container()) {
    rect.left += TwipsToPixels(frame->position().left, dpi);
    rect.top += TwipsToPixels(frame->position().top, dpi);
  }
  // A line is declared with no thickness; an etched line needs two pixels.
  if (control.kind() == ui::ControlKind::Line) {
    if (at.width >= at.height) {
      rect.height = std::max(rect.height, 2);
    } else {
      rect.width = std::max(rect.width, 2);
    }
  }
  return rect;
}

WindowStyles FormWindowStyles(const ui::FormStyle& style) {
  WindowStyles out;
  switch (style.border) {
    case ui::BorderStyle::None:
      out.style = WS_POPUP;
      return out;
    case ui::BorderStyle::FixedSingle:
      out.style = WS_CAPTION;
      break;
    case ui::BorderStyle::Sizable:
      out.style = WS_CAPTION | WS_THICKFRAME;
      break;
    case ui::BorderStyle::FixedDialog:
      out.style = WS_CAPTION;
      out.ex_style = WS_EX_DLGMODALFRAME;
      break;
  }
  if (style.control_box) {
    out.style |= WS_SYSMENU;
    if (style.min_button) out.style |= WS_MINIMIZEBOX;
    if (style.max_button) out.style |= WS_MAXIMIZEBOX;
  }
  return out;
}

bool TakesFocus(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::TextBox:
    case ui::ControlKind::CommandButton:
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton:
    case ui::ControlKind::ListBox:
      return true;
    default:
      return false;
  }
}

NativeControl DescribeControl(const ui::Control& control) {
  NativeControl out;
  DWORD style = WS_CHILD;
  if (control.visible()) style |= WS_VISIBLE;
  if (!control.enabled()) style |= WS_DISABLED;
  if (TakesFocus(control.kind())) style |= WS_TABSTOP;
  DWORD ex_style = 0;

  switch (control.kind()) {
    case ui::ControlKind::Label:
      out.window_class = L"STATIC";
      style |= SS_LEFT;
      if (control.OnClick) style |= SS_NOTIFY;
      break;
    case ui::ControlKind::TextBox:
      out.window_class = L"EDIT";
      style |= ES_LEFT | ES_AUTOHSCROLL;
      if (control.password_char() != 0) style |= ES_PASSWORD;
      ex_style |= WS_EX_CLIENTEDGE;
      break;
    case ui::ControlKind::CommandButton:
      out.window_class = L"BUTTON";
      // Never BS_DEFPUSHBUTTON: no form has a default button.
      style |= BS_PUSHBUTTON;
      if (!control.picture().empty()) style |= BS_ICON;
      break;
    case ui::ControlKind::CheckBox:
      // Not automatic: the runtime toggles the value and the renderer shows it.
      out.window_class = L"BUTTON";
      style |= BS_CHECKBOX;
      break;
    case ui::ControlKind::OptionButton:
      out.window_class = L"BUTTON";
      style |= BS_RADIOBUTTON;
      break;
    case ui::ControlKind::Frame:
      out.window_class = L"BUTTON";
      // Clipped by the controls above it, so that it never paints over them.
      style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
      break;
    case ui::ControlKind::ListBox:
      out.window_class = L"LISTBOX";
      style |= LBS_NOTIFY | WS_VSCROLL;
      if (control.extended_selection()) style |= LBS_EXTENDEDSEL;
      ex_style |= WS_EX_CLIENTEDGE;
      break;
    case ui::ControlKind::Image:
      out.window_class = L"STATIC";
      style |= SS_ICON | SS_CENTERIMAGE;
      if (control.OnClick) style |= SS_NOTIFY;
      break;
    case ui::ControlKind::Line: {
      out.window_class = L"STATIC";
      const ui::Twips& at = control.position();
      style |= at.width >= at.height ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
      break;
    }
    case ui::ControlKind::MenuItem:
      return out;
  }
  out.styles = {style, ex_style};
  return out;
}

}  // namespace ferrolis::platform::win32
