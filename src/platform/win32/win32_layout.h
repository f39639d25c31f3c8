// How a form and its controls map onto native windows: window classes and
// styles, and the conversion of twips to pixels for a given DPI. Pure
// functions, so that the renderer's creation and re-layout code share them.
#pragma once

#include <windows.h>

#include "ui/control.h"
#include "ui/form.h"

namespace ferrolis::platform::win32 {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

// Rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);

// The height to give CreateFont for a size in points (negative: character
// height, the way point sizes are meant).
int FontHeightForPoints(double points, int dpi);

// The DPI to lay a form out at on a monitor of `monitor_dpi`: the monitor's
// own when the window fits in the work area, otherwise the largest DPI at
// which it does, and never below 96 (100 %), nor above the monitor's. The
// client area scales with the layout; `frame` (caption, borders, menu bar,
// drawn by the system at the monitor's DPI) does not.
int FitLayoutDpi(int monitor_dpi, int client_width_twips, int client_height_twips, SIZE frame,
                 SIZE work);

// Where a window of `size` placed at `at` goes so that it stays inside the work
// area; one larger than the work area keeps its title bar at the top and its
// left edge at the left.
POINT KeepInWorkArea(POINT at, SIZE size, const RECT& work);

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The control's place in the form's client area. Controls inside a frame are
// declared relative to the frame, and the frame relative to its own
// container; every native control is a direct child of the form.
PixelRect ControlRect(const ui::Control& control, int dpi);

struct WindowStyles {
  DWORD style = 0;
  DWORD ex_style = 0;
};

// The top-level window's styles for a form's border, control box and buttons.
// Without a control box there is no system menu, hence no buttons either.
WindowStyles FormWindowStyles(const ui::FormStyle& style);

}  // namespace ferrolis::platform::win32
