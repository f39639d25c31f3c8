// ferrolis_driver: drives the windows of another program through window messages, for the
// end-to-end tests. Windows are found by their exact title, controls by caption, by the
// label before them, by id or by class and rank (see lookup.h). Output is UTF-8.
//
// Exit codes: 0 success, 1 timeout or not found, 2 usage.

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "lookup.h"

namespace {

using driver::ClassOf;
using driver::Narrow;
using driver::TextOf;

constexpr int kOk = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;
constexpr DWORD kPollMs = 50;
constexpr DWORD kDefaultWaitMs = 5000;
// A click or Enter handler that opens a modal box does not return until the box is
// closed; past this delay the driver stops waiting for it and lets it run.
constexpr UINT kHandlerWaitMs = 500;
// Plain characters and texts never open a box: wait until they are in, so that a click
// sent next cannot overtake them when the program is slow.
constexpr UINT kTextWaitMs = 5000;

void Write(const std::string& utf8) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(out, &mode)) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    WriteConsoleW(out, wide.data(), n, &written, nullptr);
  } else {
    WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  }
}

void WriteLine(const std::string& utf8) { Write(utf8 + "\n"); }

// Line breaks as the user sees them: "\r\n", "\r" and "\n" all become "\n".
std::wstring UnifyLineBreaks(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') {
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      out += L'\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

// Calls `probe` every kPollMs until it holds or `timeout_ms` has passed.
bool PollUntil(DWORD timeout_ms, const std::function<bool()>& probe) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (probe()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

// Calls `probe` until it gives a window or `timeout_ms` has passed.
HWND PollFor(DWORD timeout_ms, const std::function<HWND()>& probe) {
  HWND found = nullptr;
  PollUntil(timeout_ms, [&] { return (found = probe()) != nullptr; });
  return found;
}

HWND FindTopLevel(const std::wstring& title, DWORD timeout_ms) {
  return PollFor(timeout_ms, [&]() -> HWND {
    const auto found = driver::TopLevelWindows(title);
    return found.empty() ? nullptr : found.front();
  });
}

// A message box: a dialog of class #32770 that holds the prompt, a STATIC with id 0xFFFF.
HWND FindMessageBox(const std::wstring& title, DWORD timeout_ms) {
  return PollFor(timeout_ms, [&]() -> HWND {
    for (HWND box : driver::TopLevelWindows(title, L"#32770"))
      if (GetDlgItem(box, 0xFFFF)) return box;
    return nullptr;
  });
}

HWND FindControlIn(const std::wstring& title, const std::wstring& selector, DWORD timeout_ms) {
  return PollFor(timeout_ms, [&]() -> HWND {
    HWND window = FindTopLevel(title, 0);
    return window ? driver::FindControl(window, selector) : nullptr;
  });
}

std::string Describe(HWND control) {
  std::string line = Narrow(ClassOf(control)) + " #" + std::to_string(GetDlgCtrlID(control));
  const std::wstring text = TextOf(control);
  if (!text.empty()) line += " \"" + Narrow(UnifyLineBreaks(text)) + "\"";
  return line;
}

std::string Geometry(const RECT& r) {
  return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
         std::to_string(r.left) + "+" + std::to_string(r.top);
}

// Sends a message and waits for its handler, at most `wait_ms` (see above).
void SendAndLetRun(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                   UINT wait_ms = kHandlerWaitMs) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_NORMAL, wait_ms, &ignored);
}

void TypeInto(HWND control, const std::wstring& text, bool enter) {
  for (wchar_t c : text) SendAndLetRun(control, WM_CHAR, c, 1, kTextWaitMs);
  if (enter) SendAndLetRun(control, WM_CHAR, L'\r', 1);
}

int CmdList(HWND window) {
  WriteLine(Describe(window));
  for (HWND c : driver::Children(window)) {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(c), reinterpret_cast<POINT*>(&r), 2);
    char style[64];
    std::snprintf(style, sizeof style, " style=0x%08lx%s%s",
                  static_cast<unsigned long>(GetWindowLongW(c, GWL_STYLE)),
                  IsWindowVisible(c) ? "" : " hidden", IsWindowEnabled(c) ? "" : " disabled");
    WriteLine("  " + Describe(c) + " at " + Geometry(r) + style);
  }
  return kOk;
}

int CmdProps(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG exstyle = GetWindowLongW(window, GWL_EXSTYLE);
  const bool owned = GetWindow(window, GW_OWNER) != nullptr;
  const bool tool = exstyle & WS_EX_TOOLWINDOW;
  const bool app = exstyle & WS_EX_APPWINDOW;
  RECT client{}, frame{};
  GetClientRect(window, &client);
  GetWindowRect(window, &frame);
  const int screen_w = GetSystemMetrics(SM_CXSCREEN), screen_h = GetSystemMetrics(SM_CYSCREEN);
  const int dx = (frame.left + frame.right) / 2 - screen_w / 2;
  const int dy = (frame.top + frame.bottom) / 2 - screen_h / 2;
  auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  WriteLine("minimizebox=" + flag(style & WS_MINIMIZEBOX));
  WriteLine("maximizebox=" + flag(style & WS_MAXIMIZEBOX));
  WriteLine("sizable=" + flag(style & WS_THICKFRAME));
  WriteLine("sysmenu=" + flag(style & WS_SYSMENU));
  WriteLine("toolwindow=" + flag(tool));
  WriteLine("appwindow=" + flag(app));
  WriteLine("owned=" + flag(owned));
  // The shell gives a button to visible unowned windows that are not tool windows, and to
  // every window that asks for one.
  WriteLine("taskbar=" + flag(app || (!owned && !tool)));
  WriteLine("enabled=" + flag(IsWindowEnabled(window)));
  WriteLine("client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
  // Where the client area starts on the screen: a menu bar lies just above it.
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  WriteLine("client_at=" + std::to_string(origin.x) + "," + std::to_string(origin.y));
  WriteLine("window=" + Geometry(frame));
  WriteLine("screen=" + std::to_string(screen_w) + "x" + std::to_string(screen_h));
  // The work area of the window's monitor: the screen less the taskbar.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  WriteLine("work=" + Geometry(monitor.rcWork));
  WriteLine("centre_offset=" + std::to_string(dx) + "," + std::to_string(dy));
  return kOk;
}

int CmdFocused(HWND window, const std::wstring* selector) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) {
    WriteLine("(none)");
    return kNotFound;
  }
  WriteLine(Describe(info.hwndFocus));
  if (!selector) return kOk;
  // Keys typed through X go to the foreground window: until the window is that one, the
  // control's focus is not yet where the user's keys land.
  return driver::FindControl(window, *selector) == info.hwndFocus && GetForegroundWindow() == window
             ? kOk
             : kNotFound;
}

int CmdMessageBox(HWND box) {
  bool icon = false;
  std::string buttons;
  for (HWND c : driver::Children(box)) {
    if (!IsWindowVisible(c)) continue;
    const std::wstring cls = ClassOf(c);
    const LONG style = GetWindowLongW(c, GWL_STYLE);
    // The box keeps its icon control even when it shows no icon.
    if (lstrcmpiW(cls.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
        driver::Ask(c, STM_GETICON) != 0) {
      icon = true;
    }
    if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
      if (!buttons.empty()) buttons += ',';
      buttons += std::to_string(GetDlgCtrlID(c));
    }
  }
  std::string facts = icon ? "icon=1" : "icon=0";
  facts += " buttons=";
  facts += buttons;
  WriteLine(facts);
  WriteLine(Narrow(UnifyLineBreaks(TextOf(GetDlgItem(box, 0xFFFF)))));
  return kOk;
}

// The lines of a list box, one a line, "* " before a selected one and "  " before the others.
int CmdLines(HWND list) {
  const auto count = static_cast<int>(driver::Ask(list, LB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<int>(driver::Ask(list, LB_GETTEXTLEN, i));
    std::wstring text(length + 1, L'\0');
    driver::Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    const bool selected = driver::Ask(list, LB_GETSEL, i) > 0;
    WriteLine((selected ? "* " : "  ") + Narrow(text));
  }
  return kOk;
}

// The screen rectangle of one line of a list box, for a real mouse click on it.
int CmdLineRect(HWND list, int index) {
  RECT r{};
  if (driver::Ask(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR ||
      r.bottom <= r.top)
    return kNotFound;
  // A line scrolled out of sight is scrolled into it first, as a user would
  // before clicking it (the list's horizontal scroll bar may hide the last one).
  RECT client{};
  GetClientRect(list, &client);
  if (r.top < client.top || r.bottom > client.bottom) {
    driver::Ask(list, LB_SETTOPINDEX, index, 0);
    if (driver::Ask(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
      return kNotFound;
  }
  MapWindowPoints(list, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  WriteLine(Geometry(r));
  return kOk;
}

int Usage() {
  WriteLine(
      "usage: ferrolis_driver <command> <window title> [arguments]\n"
      "  wait <title> [ms]            a visible window with that title exists\n"
      "  gone <title> [ms]            no visible window with that title is left\n"
      "  click <title> <control>      presses a button (BM_CLICK); exit 1 when disabled\n"
      "  type <title> <control> <text> [--enter]   WM_CHAR per character, then Enter\n"
      "  settext <title> <control> <text>          WM_SETTEXT\n"
      "  post <title> <control> <message> <wparam>  posts the message (lParam 1): it waits\n"
      "                               in the queue behind what the program has to handle\n"
      "  read <title> <control>       prints the control's text\n"
      "  focused <title> [control]    prints the focused control; with a control, exit 0\n"
      "                               only when that one has the focus in the foreground\n"
      "  msgbox <title> [ms]          waits for a message box, prints 'icon=0|1 buttons=ids'\n"
      "                               and its prompt\n"
      "  button <title> <id>          presses button <id> of a message box (1 OK, 2 Cancel,\n"
      "                               6 Yes, 7 No)\n"
      "  close <title>                sends WM_CLOSE\n"
      "  session <title> query|end|cancel   sends WM_QUERYENDSESSION and prints the answer (1\n"
      "                               or 0), or WM_ENDSESSION, the session ending or not\n"
      "  list <title>                 dumps the controls\n"
      "  props <title>                prints style facts and sizes\n"
      "  tooltip [ms]                 waits for a visible tooltip and prints its text\n"
      "  rect <title> [control]       prints the screen rectangle WxH+X+Y of the window or\n"
      "                               of one of its controls\n"
      "  lines <title> <control>      prints the lines of a list box, '* ' before selected ones\n"
      "  linerect <title> <control> <n>  the screen rectangle of line n of a list box, scrolled\n"
      "                               into view first\n"
      "  popup [ms]                   waits for an open menu, prints its screen rectangle\n"
      "controls: a caption (with or without '&'), the text of the label before it, #id,\n"
      "or CLASS[n] (n-th of that class in reading order, from 0)\n"
      "--hidden: the window is a hidden one (a form not shown yet)");
  return kUsage;
}

DWORD TimeoutArg(const std::vector<std::wstring>& args, size_t index) {
  return args.size() > index ? wcstoul(args[index].c_str(), nullptr, 10) : kDefaultWaitMs;
}

int Run(std::vector<std::wstring> args) {
  bool enter = false;
  for (auto it = args.begin(); it != args.end();) {
    if (*it == L"--enter" || *it == L"--hidden") {
      (*it == L"--enter" ? enter : driver::hidden_windows) = true;
      it = args.erase(it);
    } else {
      ++it;
    }
  }
  // A menu of another process cannot be read under Wine; its window can be found.
  if (!args.empty() && args[0] == L"popup" && args.size() <= 2) {
    HWND menu = PollFor(TimeoutArg(args, 1), [] {
      HWND found = FindWindowW(L"#32768", nullptr);
      return found && IsWindowVisible(found) ? found : nullptr;
    });
    if (!menu) return kNotFound;
    RECT r{};
    GetWindowRect(menu, &r);
    WriteLine(Geometry(r));
    return kOk;
  }
  if (!args.empty() && args[0] == L"tooltip" && args.size() <= 2) {
    HWND tip = PollFor(TimeoutArg(args, 1), [] { return driver::VisibleTooltip(); });
    if (!tip) return kNotFound;
    WriteLine(Narrow(TextOf(tip)));
    return kOk;
  }
  if (args.size() < 2) return Usage();
  const std::wstring& cmd = args[0];
  const std::wstring& title = args[1];

  if (cmd == L"wait") return FindTopLevel(title, TimeoutArg(args, 2)) ? kOk : kNotFound;
  if (cmd == L"gone") {
    const bool gone =
        PollUntil(TimeoutArg(args, 2), [&] { return driver::TopLevelWindows(title).empty(); });
    return gone ? kOk : kNotFound;
  }
  if (cmd == L"msgbox") {
    HWND box = FindMessageBox(title, TimeoutArg(args, 2));
    return box ? CmdMessageBox(box) : kNotFound;
  }
  if (cmd == L"button") {
    if (args.size() != 3) return Usage();
    HWND box = FindMessageBox(title, kDefaultWaitMs);
    HWND button = box ? GetDlgItem(box, _wtoi(args[2].c_str())) : nullptr;
    if (!button) return kNotFound;
    SendAndLetRun(button, BM_CLICK, 0, 0);
    return kOk;
  }

  const bool simple = cmd == L"close" || cmd == L"list" || cmd == L"props" ||
                      (cmd == L"session" && args.size() == 3) ||
                      ((cmd == L"focused" || cmd == L"rect") && args.size() <= 3);
  if (simple) {
    HWND window = FindTopLevel(title, kDefaultWaitMs);
    if (!window) return kNotFound;
    if (cmd == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? kOk : kNotFound;
    if (cmd == L"session") {
      // As Windows asks at a logoff: the answer may wait for a question to the user. A
      // program that ends with the session never answers WM_ENDSESSION.
      const bool query = args[2] == L"query";
      DWORD_PTR answer = 0;
      if (!SendMessageTimeoutW(window, query ? WM_QUERYENDSESSION : WM_ENDSESSION,
                               args[2] == L"end", ENDSESSION_LOGOFF, SMTO_NORMAL, 60000, &answer) &&
          query)
        return kNotFound;
      if (query) WriteLine(std::to_string(answer));
      return kOk;
    }
    if (cmd == L"list") return CmdList(window);
    if (cmd == L"props") return CmdProps(window);
    if (cmd == L"focused") return CmdFocused(window, args.size() == 3 ? &args[2] : nullptr);
    HWND target = args.size() == 3 ? driver::FindControl(window, args[2]) : window;
    if (!target) return kNotFound;
    RECT r{};
    GetWindowRect(target, &r);
    WriteLine(Geometry(r));
    return kOk;
  }

  if (cmd == L"post" && args.size() == 5) {
    HWND control = FindControlIn(title, args[2], kDefaultWaitMs);
    const auto message = static_cast<UINT>(wcstoul(args[3].c_str(), nullptr, 0));
    const auto wparam = static_cast<WPARAM>(wcstoul(args[4].c_str(), nullptr, 0));
    return control && PostMessageW(control, message, wparam, 1) ? kOk : kNotFound;
  }
  const bool with_text = cmd == L"type" || cmd == L"settext" || cmd == L"linerect";
  const bool with_control = with_text || cmd == L"click" || cmd == L"read" || cmd == L"lines";
  if (!with_control || args.size() != (with_text ? 4u : 3u)) return Usage();
  HWND control = FindControlIn(title, args[2], kDefaultWaitMs);
  if (!control) return kNotFound;
  if (cmd == L"lines") return CmdLines(control);
  if (cmd == L"linerect") return CmdLineRect(control, _wtoi(args[3].c_str()));
  // A user cannot click or type into a disabled control, nor into a window that a modal
  // window disables.
  const bool usable = IsWindowEnabled(control) && IsWindowEnabled(GetAncestor(control, GA_ROOT));
  if ((cmd == L"click" || cmd == L"type") && !usable) {
    WriteLine("disabled");
    return kNotFound;
  }
  if (cmd == L"click") {
    SendAndLetRun(control, BM_CLICK, 0, 0);
  } else if (cmd == L"read") {
    WriteLine(Narrow(TextOf(control)));
  } else if (cmd == L"type") {
    TypeInto(control, args[3], enter);
  } else {
    SendAndLetRun(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3].c_str()), kTextWaitMs);
  }
  return kOk;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  return Run(std::vector<std::wstring>(argv + 1, argv + argc));
}
