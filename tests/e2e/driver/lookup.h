// Finding the windows and controls of another process, and reading their texts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

std::string Narrow(const std::wstring& wide);

// Set: the lookups below find hidden windows only (a form not shown yet), and
// their controls by their own visibility.
extern bool hidden_windows;

// Sends a query message to a window of another process; 0 when it does not answer in time.
LRESULT Ask(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

// The text of a control, asked with WM_GETTEXT so that edit boxes give their content.
// Falls back to the stored window text when the owner does not answer in time.
std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// A caption without its access-key marks: "&OK" gives "OK", "&&" gives "&".
std::wstring StripAccessKeys(const std::wstring& caption);

// Visible top-level windows whose title is exactly `title`. With `dialog_class`, only
// windows of that class (message boxes are "#32770").
std::vector<HWND> TopLevelWindows(const std::wstring& title, const wchar_t* dialog_class = nullptr);

// The tooltip on show, of whichever program; nullptr when none is.
HWND VisibleTooltip();

// Every descendant of `parent`, in the order EnumChildWindows gives (z-order, depth first).
std::vector<HWND> Children(HWND parent);

// Resolves a control of `parent` named by the user:
//   #<id>          the control with that id;
//   CLASS[n]       the n-th visible control of that class (0-based), in reading order
//                  (top to bottom, then left to right), e.g. BUTTON[2];
//   <caption>      a control other than an edit box whose caption matches, with or
//                  without its "&" marks;
//   <label text>   the control that stands just below or to the right of the STATIC
//                  with that text, e.g. the edit box under "Entrez le mot de passe".
// Returns nullptr when nothing fits.
HWND FindControl(HWND parent, const std::wstring& selector);

}  // namespace driver
