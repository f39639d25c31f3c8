// What each kind of control becomes on screen, in one table: its window
// class and styles, what its window text shows, how its box is fitted, the
// steps after its window is created, which WM_COMMAND notification is which
// user event, and which keys it handles itself. The renderer's creation,
// layout, property, notification and key code read these rows.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/win32_layout.h"
#include "ui/control.h"

namespace ferrolis::platform::win32 {

// What the window text shows.
enum class NativeText { None, Caption, Text };

// What a notification from the control means to the runtime.
enum class NativeEvent { None, Click, TextChanged, LinesSelected };

// The keys the renderer handles on the control's window before the dialog
// manager or the native control see them.
enum class NativeKeys {
  None,
  // Characters go to KeyPress first; Enter too when no button takes it; the
  // caret's moves report the selection.
  Typing,
  // The arrow keys move the focus and the choice inside the group; the focus
  // arriving is not a click.
  GroupArrows,
};

// The messages of a control that holds lines, for the renderer's list code
// (win32_renderer_lists.cpp), which works on any kind that has them.
struct NativeList {
  UINT reset;    // removes every line (LB_RESETCONTENT)
  UINT add;      // adds a line at the end (LB_ADDSTRING)
  UINT count;    // how many lines (LB_GETCOUNT)
  UINT current;  // the line chosen, or -1 (LB_GETCURSEL)
  UINT choose;   // chooses a line, -1 none (LB_SETCURSEL)
  // With several lines chosen (ExtendedSelection()): chooses or leaves one
  // line, how many are chosen and which; 0 when the kind has no such choice.
  UINT select;          // LB_SETSEL
  UINT selected_count;  // LB_GETSELCOUNT
  UINT selected_lines;  // LB_GETSELITEMS
  // The width the lines scroll over, which the renderer fits to the widest.
  UINT get_extent;  // LB_GETHORIZONTALEXTENT
  UINT set_extent;  // LB_SETHORIZONTALEXTENT
};

struct NativeKind {
  ui::ControlKind kind;
  // nullptr: drawn without a child window of its own (menu items).
  const wchar_t* window_class = nullptr;
  // The class's own style bits for this control.
  DWORD (*styles)(const ui::Control&) = nullptr;
  DWORD ex_style = 0;
  NativeText text = NativeText::None;
  // BM_SETCHECK shows Value.
  bool checkable = false;
  // The message that puts a picture on it (STM_SETIMAGE, BM_SETIMAGE), or 0.
  UINT set_image = 0;
  // The WM_COMMAND notification code that is a user's action (BN_CLICKED is
  // 0), and which action it is; NativeEvent::None: no notification counts.
  WORD notification = 0;
  NativeEvent event = NativeEvent::None;
  // Run once the window exists, before the model's state is shown on it.
  void (*after_create)(HWND, const ui::Control&) = nullptr;
  // It holds lines: made with the model's lines and its scrolling width
  // fitted to them, fitted again at each new DPI.
  const NativeList* list = nullptr;
  // Its window may size itself when it is made: put back into its box.
  bool refit_after_create = false;
  // One line tall, it grows to show its whole caption (FitOneLineLabel).
  bool fits_caption = false;
  // The fewest pixels across its long side (0: as declared).
  int min_thickness = 0;
  NativeKeys keys = NativeKeys::None;
};

// The kind's row: every kind has one (win32_kinds.cpp does not compile
// otherwise); a row without a window class makes no window.
const NativeKind& NativeKindOf(ui::ControlKind kind);

// The full styles of a control's window: its kind's, plus visibility, enabled
// state, WS_TABSTOP and WS_GROUP. Child windows start visible unless the
// control is hidden (a form's window starts hidden anyway). WS_GROUP starts
// every group of the arrow keys: each control but the option buttons after
// the first of their group.
WindowStyles ControlStyles(const ui::Control& control);

// Whether the control's window carries WS_TABSTOP: every kind that takes the
// focus, and in an option group only the button Tab stops at.
bool NativeTabStop(const ui::Control& control);

// The text its window holds: the caption, the text box's text, or nothing. A
// picture button shows its picture alone; its text, its caption or else its
// tooltip, is its name for screen readers.
std::string WindowTextOf(const ui::Control& control);

// Turns the visual style off for one window (uxtheme is loaded on demand:
// the program imports nothing beyond the system's core DLLs).
void DrawWithoutVisualStyle(HWND hwnd);

}  // namespace ferrolis::platform::win32
