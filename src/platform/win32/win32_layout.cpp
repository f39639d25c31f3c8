#include "platform/win32/win32_layout.h"

#include <algorithm>
#include <cmath>

#include "ui/kinds.h"
#include "ui/rules.h"

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

bool NativeTabStop(const ui::Control& control) {
  if (!ui::TraitsOf(control.kind()).takes_focus) return false;
  // The dialog manager skips disabled and hidden windows by itself; an option
  // group needs its one tab stop placed by the shared rule.
  return control.kind() != ui::ControlKind::OptionButton || ui::IsTabStop(control);
}

NativeControl DescribeControl(const ui::Control& control) {
  NativeControl out;
  DWORD style = WS_CHILD;
  if (control.visible()) style |= WS_VISIBLE;
  if (!control.enabled()) style |= WS_DISABLED;
  if (NativeTabStop(control)) style |= WS_TABSTOP;
  if (ui::StartsGroup(control)) style |= WS_GROUP;
  DWORD ex_style = 0;

  switch (control.kind()) {
    case ui::ControlKind::Label:
      out.window_class = L"STATIC";
      switch (control.alignment()) {
        case ui::Alignment::Left:
          style |= SS_LEFT;
          break;
        case ui::Alignment::Right:
          style |= SS_RIGHT;
          break;
        case ui::Alignment::Center:
          style |= SS_CENTER;
          break;
      }
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
      // A caption too long for one line wraps, as the forms were drawn for.
      style |= (control.is_default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE;
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
