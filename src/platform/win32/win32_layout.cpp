#include "platform/win32/win32_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/win32_kinds.h"

namespace ferrolis::platform::win32 {

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

int FontHeightForPoints(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / 72.0));
}

int FitLayoutDpi(int monitor_dpi, int client_width_twips, int client_height_twips, SIZE frame,
                 SIZE work) {
  for (int dpi = monitor_dpi; dpi > kDefaultDpi; --dpi) {
    if (TwipsToPixels(client_width_twips, dpi) + frame.cx <= work.cx &&
        TwipsToPixels(client_height_twips, dpi) + frame.cy <= work.cy) {
      return dpi;
    }
  }
  return std::min(monitor_dpi, kDefaultDpi);
}

POINT KeepInWorkArea(POINT at, SIZE size, const RECT& work) {
  at.x = std::max(std::min(at.x, work.right - size.cx), work.left);
  at.y = std::max(std::min(at.y, work.bottom - size.cy), work.top);
  return at;
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
  // At least as thick as its kind needs, across its long side.
  if (const int thickness = NativeKindOf(control.kind()).min_thickness; thickness > 0) {
    if (at.width >= at.height) {
      rect.height = std::max(rect.height, thickness);
    } else {
      rect.width = std::max(rect.width, thickness);
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

}  // namespace ferrolis::platform::win32
