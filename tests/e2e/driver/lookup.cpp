#include "lookup.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cwctype>

namespace driver {
namespace {

// How long to wait for the other program to answer WM_GETTEXT.
constexpr UINT kAnswerTimeoutMs = 2000;

bool SameClass(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

bool Visible(HWND hwnd) {
  return hidden_windows ? (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0
                        : IsWindowVisible(hwnd);
}

bool IsEdit(HWND hwnd) { return SameClass(ClassOf(hwnd), L"Edit"); }
bool IsStatic(HWND hwnd) { return SameClass(ClassOf(hwnd), L"Static"); }

RECT ScreenRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The control that a label names: among the label's visible siblings other than labels,
// the nearest one that starts below it (overlapping it horizontally) or to its right
// (overlapping it vertically). Twips rounding may make neighbours overlap by a pixel or two.
HWND NeighbourOf(HWND label) {
  const RECT l = ScreenRect(label);
  const LONG tolerance = 3;
  HWND best = nullptr;
  LONG best_gap = LONG_MAX;
  for (HWND c = GetWindow(GetParent(label), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c == label || !Visible(c) || IsStatic(c)) continue;
    const RECT r = ScreenRect(c);
    LONG gap = LONG_MAX;
    if (r.top >= l.bottom - tolerance && r.left < l.right && r.right > l.left) {
      gap = r.top - l.bottom;
    } else if (r.left >= l.right - tolerance && r.top < l.bottom && r.bottom > l.top) {
      gap = r.left - l.right;
    }
    if (gap < best_gap) {
      best_gap = gap;
      best = c;
    }
  }
  return best;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
  return TRUE;
}

struct TopLevelQuery {
  const std::wstring* title;
  const wchar_t* dialog_class;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
  auto* query = reinterpret_cast<TopLevelQuery*>(param);
  if ((IsWindowVisible(hwnd) != FALSE) == hidden_windows) return TRUE;
  wchar_t title[512] = {};
  GetWindowTextW(hwnd, title, 512);
  if (*query->title != title) return TRUE;
  if (query->dialog_class && ClassOf(hwnd) != query->dialog_class) return TRUE;
  query->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

bool hidden_windows = false;

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

LRESULT Ask(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &answer)) {
    return 0;
  }
  return static_cast<LRESULT>(answer);
}

std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &length)) {
    wchar_t stored[1024] = {};
    InternalGetWindowText(hwnd, stored, 1024);
    return stored;
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied);
  text.resize(std::min<size_t>(copied, length));
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

std::wstring StripAccessKeys(const std::wstring& caption) {
  std::wstring out;
  for (size_t i = 0; i < caption.size(); ++i) {
    // "&" marks the next character as the access key; "&&" stands for "&" itself.
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

std::vector<HWND> TopLevelWindows(const std::wstring& title, const wchar_t* dialog_class) {
  TopLevelQuery query{&title, dialog_class, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND VisibleTooltip() {
  for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
       w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
    if (IsWindowVisible(w)) return w;
  }
  return nullptr;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

HWND FindControl(HWND parent, const std::wstring& selector) {
  const std::vector<HWND> children = Children(parent);

  if (selector.size() > 1 && selector[0] == L'#') {
    const int id = static_cast<int>(wcstol(selector.c_str() + 1, nullptr, 0));
    for (HWND c : children)
      if (GetDlgCtrlID(c) == id) return c;
    return nullptr;
  }

  const size_t open = selector.find(L'[');
  if (open != std::wstring::npos && open > 0 && selector.back() == L']') {
    const std::wstring cls = selector.substr(0, open);
    const size_t index = wcstoul(selector.c_str() + open + 1, nullptr, 10);
    std::vector<HWND> of_class;
    for (HWND c : children)
      if (Visible(c) && SameClass(ClassOf(c), cls)) of_class.push_back(c);
    std::stable_sort(of_class.begin(), of_class.end(), [](HWND a, HWND b) {
      const RECT ra = ScreenRect(a), rb = ScreenRect(b);
      return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return index < of_class.size() ? of_class[index] : nullptr;
  }

  const std::wstring wanted = StripAccessKeys(selector);
  HWND label = nullptr;
  for (HWND c : children) {
    if (IsEdit(c) || StripAccessKeys(TextOf(c)) != wanted) continue;
    if (!IsStatic(c)) return c;
    if (!label) label = c;
  }
  if (!label) return nullptr;
  HWND neighbour = NeighbourOf(label);
  return neighbour ? neighbour : label;
}

}  // namespace driver
