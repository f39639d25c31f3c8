// Creating forms and their controls' windows, laying them out for the DPI,
// and destroying them.
#include "platform/win32/win32_renderer.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_kinds.h"
#include "platform/win32/win32_layout.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_text.h"
#include "ui/rules.h"

namespace ferrolis::platform::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"FerrolisForm";
constexpr int kAppIconId = 1;

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The user32 functions that Windows 7 and 8.1 lack, looked up once for the
// process (each form and each change of DPI asks for them), unless a test's
// lookup stands in for user32.
struct DpiFunctions {
  GetDpiForWindowFn get_dpi_for_window = nullptr;
  AdjustWindowRectExForDpiFn adjust_window_rect_for_dpi = nullptr;
};

template <class Fn>
Fn Find(FARPROC (*lookup)(const char*), const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(lookup(name)));
}

DpiFunctions LookUpDpiFunctions(FARPROC (*lookup)(const char*)) {
  return {Find<GetDpiForWindowFn>(lookup, "GetDpiForWindow"),
          Find<AdjustWindowRectExForDpiFn>(lookup, "AdjustWindowRectExForDpi")};
}

FARPROC FindInUser32(const char* name) { return SystemFunction<FARPROC>(L"user32.dll", name); }

DpiFunctions User32DpiFunctions() {
  if (Win32Renderer::user32_lookup != nullptr) {
    return LookUpDpiFunctions(Win32Renderer::user32_lookup);
  }
  static const DpiFunctions functions = LookUpDpiFunctions(&FindInUser32);
  return functions;
}

int SystemDpi() {
  const OwnedDeviceContext screen = WindowDeviceContext(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDefaultDpi;
  return dpi > 0 ? dpi : kDefaultDpi;
}

// The DPI of the monitor the window is on (Windows 10 and later), or the
// system's.
int WindowDpi(HWND hwnd) {
  const auto get_dpi_for_window = User32DpiFunctions().get_dpi_for_window;
  if (get_dpi_for_window != nullptr) {
    const UINT dpi = get_dpi_for_window(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

RECT WindowRectForClient(int width, int height, DWORD style, DWORD ex_style, bool menu, int dpi) {
  const auto adjust_for_dpi = User32DpiFunctions().adjust_window_rect_for_dpi;
  RECT rect{0, 0, width, height};
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&rect, style, menu, ex_style, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, menu, ex_style);
  }
  return rect;
}

// The work area (the screen less the taskbar and docked bars) of the monitor
// the window is on, or of the one `beside` lies on.
RECT WorkArea(HWND hwnd, const RECT* beside) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  HMONITOR handle = beside != nullptr ? MonitorFromRect(beside, MONITOR_DEFAULTTONEAREST)
                                      : MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY);
  if (!GetMonitorInfoW(handle, &monitor)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  }
  return monitor.rcWork;
}

// A label one line tall whose caption is wider than its box (the fonts at
// hand are wider than the ones the forms were drawn with) would wrap its last
// words out of sight: it grows on the side away from its alignment instead.
PixelRect FitOneLineLabel(const ui::Control& label, PixelRect rect, HFONT font) {
  const std::wstring caption = Widen(label.caption());
  TEXTMETRICW metrics{};
  RECT needed{0, 0, 0, 0};
  {
    const OwnedDeviceContext dc = WindowDeviceContext(nullptr);
    if (!dc) return rect;
    const Selection selected(dc, font);
    GetTextMetricsW(dc, &metrics);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &needed,
              DT_CALCRECT | DT_SINGLELINE);
  }
  const int width = needed.right - needed.left;
  if (rect.height >= 2 * metrics.tmHeight || width <= rect.width) return rect;
  const int grow = width - rect.width;
  switch (label.alignment()) {
    case ui::Alignment::Left:
      break;
    case ui::Alignment::Right:
      rect.left -= std::min(grow, rect.left);
      break;
    case ui::Alignment::Center:
      rect.left -= std::min(grow / 2, rect.left);
      break;
  }
  rect.width = width;
  return rect;
}

}  // namespace

FARPROC (*Win32Renderer::user32_lookup)(const char* name) = nullptr;

void Win32Renderer::RegisterClasses() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance_, kFormClass, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Win32Renderer::FormProc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);
}

// Forms kept out of the taskbar are owned by this invisible window: an owned
// window gets no taskbar button, and its caption keeps the normal look (which
// WS_EX_TOOLWINDOW would not).
HWND Win32Renderer::HiddenOwner() {
  if (!hidden_owner_) {
    hidden_owner_.reset(CreateWindowExW(0, kFormClass, L"Ferrolis", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, instance_, nullptr));
  }
  return hidden_owner_;
}

void Win32Renderer::LoadIcons(FormWindow& fw) {
  const ui::FormStyle& style = fw.form->style();
  const std::wstring name = Widen(style.icon);
  const wchar_t* resource = style.icon.empty() ? MAKEINTRESOURCEW(kAppIconId) : name.c_str();
  auto load = [&](int metric) {
    return LoadIconResource(instance_, resource,
                            MulDiv(GetSystemMetrics(metric), fw.monitor_dpi, SystemDpi()));
  };
  fw.icon_big = load(SM_CXICON);
  fw.icon_small = load(SM_CXSMICON);
  if (!fw.icon_big) fw.icon_big = Picture(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  SendMessageW(fw.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(fw.icon_big.get()));
  SendMessageW(fw.hwnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>((fw.icon_small ? fw.icon_small : fw.icon_big).get()));
}

void Win32Renderer::CreateForm(ui::Form& form) {
  if (Find(form)) return;
  CodeCall call(*this);
  auto owned = std::make_unique<FormWindow>();
  FormWindow& fw = *owned;
  fw.form = &form;
  fw.renderer = this;
  forms_.emplace(&form, std::move(owned));

  // A form opened from the one on screen (the main window from the gate, the
  // About window from the main window) is owned by it: it stays above its
  // opener, so that bringing the program forward never leaves it hidden behind
  // a window it keeps disabled. Owned, a form that has a taskbar button must
  // ask for it.
  WindowStyles styles = FormWindowStyles(form.style());
  const ui::Form* opener = runtime_.ActiveForm();
  const FormWindow* opener_window = opener != nullptr && opener != &form ? Find(*opener) : nullptr;
  HWND owner = nullptr;
  if (opener_window != nullptr) {
    owner = opener_window->hwnd;
    if (form.style().show_in_taskbar) styles.ex_style |= WS_EX_APPWINDOW;
  } else if (!form.style().show_in_taskbar) {
    owner = HiddenOwner();
  }
  fw.hwnd.reset(CreateWindowExW(styles.ex_style, kFormClass, Widen(form.caption()).c_str(),
                                styles.style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner,
                                nullptr, instance_, &fw));
  if (!fw.hwnd) {
    forms_.erase(&form);
    return;
  }
  fw.monitor_dpi = WindowDpi(fw.hwnd);
  LoadIcons(fw);
  // The menu bar first: it takes room above the client area, which the
  // layout DPI must leave for it.
  BuildMenuBar(fw);
  fw.dpi = FitDpi(fw, WorkArea(fw.hwnd, nullptr));

  // Child windows in tab order, each label just before the control it names:
  // the dialog manager tabs through them in the order they were created, and
  // a screen reader names an edit box or a list box after the label before it.
  for (ui::Control* control : ui::WindowOrder(form)) CreateControl(fw, *control);
  // A radio button sets its own WS_TABSTOP when it is checked or unchecked:
  // the group's one tab stop is placed again after them.
  ApplyGroupTabStops(fw);
  PlaceWindow(fw, form.style().centered);
}

// One control's window, from its kind's row: class and styles, window text,
// picture, the kind's own steps, then the model's state.
void Win32Renderer::CreateControl(FormWindow& fw, ui::Control& control) {
  const NativeKind& row = NativeKindOf(control.kind());
  if (row.window_class == nullptr) return;  // menu items live on the menu bar
  WindowStyles styles = ControlStyles(control);

  Picture picture;
  if (row.set_image != 0 && !control.picture().empty()) {
    // An image shows its icon at the size it was declared with; a button
    // holds a small one.
    const PixelRect rect = ControlRect(control, fw.dpi);
    const int button_icon = MulDiv(24, fw.dpi, kDefaultDpi);
    const bool image = row.set_image == STM_SETIMAGE;
    picture = LoadPicture(instance_, Widen(control.picture()), image ? rect.width : button_icon,
                          image ? rect.height : button_icon);
    if (picture.type() == IMAGE_BITMAP) {
      styles.style &= ~(BS_ICON | SS_ICON);
      styles.style |= image ? SS_BITMAP : BS_BITMAP;
    }
  }

  // Created in place and with its font, rather than moved and given it after.
  const PixelRect rect = PlacedRect(fw, control);
  HWND hwnd = CreateWindowExW(
      styles.ex_style, row.window_class, Widen(WindowTextOf(control)).c_str(), styles.style,
      rect.left, rect.top, rect.width, rect.height, fw.hwnd,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))), instance_, nullptr);
  if (!hwnd) return;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(control.font(), fw.dpi)),
               FALSE);
  auto owned = std::make_unique<ControlWindow>();
  ControlWindow& cw = *owned;
  cw.control = &control;
  cw.form = &fw;
  cw.hwnd = hwnd;
  fw.controls.push_back(std::move(owned));
  by_control_[&control] = &cw;
  by_hwnd_[hwnd] = &cw;
  // Subclassed by hand: comctl32's SetWindowSubclass looks its data up in a
  // window property at every message, a round trip to the server under Wine
  // that made filling a long list take hundreds of milliseconds.
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&cw));
  cw.native_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Renderer::ControlProc)));

  if (picture) {
    SendMessageW(hwnd, row.set_image, picture.type(), reinterpret_cast<LPARAM>(picture.get()));
    fw.pictures.push_back(std::move(picture));
  }
  if (row.after_create) row.after_create(hwnd, control);
  // A window that sized itself when it was made goes back into its box.
  if (row.refit_after_create) {
    RECT made{};
    GetWindowRect(hwnd, &made);
    MapWindowPoints(nullptr, fw.hwnd, reinterpret_cast<POINT*>(&made), 2);
    if (made.left != rect.left || made.top != rect.top || made.right - made.left != rect.width ||
        made.bottom - made.top != rect.height) {
      SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.width, rect.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (row.checkable) ShowValue(cw);
  if (row.list) SyncListItems(cw);
  UpdateTooltip(cw);
}

// Where a control's window goes, in pixels of the form's DPI.
PixelRect Win32Renderer::PlacedRect(FormWindow& fw, const ui::Control& control) {
  const PixelRect rect = ControlRect(control, fw.dpi);
  if (!NativeKindOf(control.kind()).fits_caption) return rect;
  return FitOneLineLabel(control, rect, fonts_.Get(control.font(), fw.dpi));
}

// Places every control and gives it its font again, for a new DPI.
void Win32Renderer::Layout(FormWindow& fw) {
  for (const auto& cw : fw.controls) {
    const PixelRect rect = PlacedRect(fw, *cw->control);
    SetWindowPos(cw->hwnd, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(cw->hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_.Get(cw->control->font(), fw.dpi)), TRUE);
    // A list's lines are as wide as its new font makes them.
    if (NativeKindOf(cw->control->kind()).list) FitListExtent(*cw, 0);
  }
  if (fw.tooltip) {
    SendMessageW(fw.tooltip, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_.Get(ui::FontSpec{}, fw.dpi)), FALSE);
  }
}

// The tooltip window and its tools. Nobody can point at a control before its
// form is on screen, so this waits until then: the form shows sooner.
void Win32Renderer::CreateTooltip(FormWindow& fw) {
  if (fw.tooltip) return;
  fw.tooltip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, fw.hwnd, nullptr,
                                   instance_, nullptr));
  if (!fw.tooltip) return;
  SendMessageW(fw.tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(ui::FontSpec{}, fw.dpi)),
               FALSE);
  for (const auto& cw : fw.controls) UpdateTooltip(*cw);
}

int Win32Renderer::FitDpi(const FormWindow& fw, const RECT& work) const {
  const ui::FormStyle& style = fw.form->style();
  const RECT frame =
      WindowRectForClient(0, 0, static_cast<DWORD>(GetWindowLongPtrW(fw.hwnd, GWL_STYLE)),
                          static_cast<DWORD>(GetWindowLongPtrW(fw.hwnd, GWL_EXSTYLE)),
                          fw.menu_bar != nullptr, fw.monitor_dpi);
  return FitLayoutDpi(fw.monitor_dpi, style.client_width, style.client_height,
                      {frame.right - frame.left, frame.bottom - frame.top},
                      {work.right - work.left, work.bottom - work.top});
}

void Win32Renderer::PlaceWindow(FormWindow& fw, bool center, const RECT* suggested) {
  const ui::FormStyle& style = fw.form->style();
  const auto win_style = static_cast<DWORD>(GetWindowLongPtrW(fw.hwnd, GWL_STYLE));
  const auto win_ex_style = static_cast<DWORD>(GetWindowLongPtrW(fw.hwnd, GWL_EXSTYLE));
  const RECT frame = WindowRectForClient(TwipsToPixels(style.client_width, fw.dpi),
                                         TwipsToPixels(style.client_height, fw.dpi), win_style,
                                         win_ex_style, fw.menu_bar != nullptr, fw.monitor_dpi);
  const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  const RECT work = WorkArea(fw.hwnd, suggested);
  POINT at{};
  if (center) {
    at = {work.left + (work.right - work.left - size.cx) / 2,
          work.top + (work.bottom - work.top - size.cy) / 2};
  } else if (suggested != nullptr) {
    at = {suggested->left, suggested->top};
  } else {
    RECT now{};
    GetWindowRect(fw.hwnd, &now);
    at = {now.left, now.top};
  }
  at = KeepInWorkArea(at, size, work);
  SetWindowPos(fw.hwnd, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Renderer::DestroyForm(ui::Form& form) {
  auto it = forms_.find(&form);
  if (it == forms_.end()) return;
  // The system destroys the windows a window owns along with it: the forms
  // opened from this one lose theirs first, through the renderer.
  std::vector<ui::Form*> opened;
  for (const auto& [other_form, other] : forms_) {
    if (other->hwnd && GetWindow(other->hwnd, GW_OWNER) == it->second->hwnd) {
      opened.push_back(other->form);
    }
  }
  for (ui::Form* other : opened) DestroyForm(*other);
  it = forms_.find(&form);
  std::unique_ptr<FormWindow> owned = std::move(it->second);
  forms_.erase(it);
  FormWindow& fw = *owned;
  {
    CodeCall call(*this);
    // Give the windows a modal form disabled back before it goes, so that
    // the activation passes to them and not to another program.
    ReleaseModalDisable(fw);
    for (const auto& cw : fw.controls) {
      by_control_.erase(cw->control);
      by_hwnd_.erase(cw->hwnd);
    }
    // The tooltip, the window with its children and menu, then its icons
    // and pictures.
    owned.reset();
  }
  DeliverHeldFocus();
}

void Win32Renderer::ReleaseModalDisable(FormWindow& fw) {
  for (HWND other : fw.disabled_for_modal) {
    if (IsWindow(other)) EnableWindow(other, TRUE);
  }
  fw.disabled_for_modal.clear();
}

}  // namespace ferrolis::platform::win32
