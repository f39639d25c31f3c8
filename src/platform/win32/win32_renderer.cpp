// Creating forms and controls, and showing the model's state on them.
#include "platform/win32/win32_renderer.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/win32/win32_layout.h"
#include "platform/win32/win32_text.h"
#include "ui/rules.h"

namespace ferrolis::platform::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"FerrolisForm";
// Control ids start well above IDOK and IDCANCEL, which the dialog manager
// sends for Enter and Escape.
constexpr int kFirstControlId = 1000;
constexpr int kAppIconId = 1;

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <class Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDefaultDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

// The DPI of the monitor the window is on (Windows 10 and later), or the
// system's.
int WindowDpi(HWND hwnd) {
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (get_dpi_for_window != nullptr) {
    const UINT dpi = get_dpi_for_window(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

RECT WindowRectForClient(int width, int height, DWORD style, DWORD ex_style, bool menu, int dpi) {
  static const auto adjust_for_dpi =
      User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, width, height};
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&rect, style, menu, ex_style, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, menu, ex_style);
  }
  return rect;
}

bool HasAccents(HFONT font) {
  HDC dc = GetDC(nullptr);
  if (!dc) return true;
  HGDIOBJ old = SelectObject(dc, font);
  const wchar_t sample[] = L"\u00e9\u00e8\u00e0\u00e7";
  WORD glyphs[4] = {};
  const DWORD done = GetGlyphIndicesW(dc, sample, 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (done == GDI_ERROR) return true;  // cannot tell: keep the font asked for
  return std::none_of(std::begin(glyphs), std::end(glyphs), [](WORD g) { return g == 0xFFFF; });
}

}  // namespace

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
  if (hidden_owner_) DestroyWindow(hidden_owner_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

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
    hidden_owner_ = CreateWindowExW(0, kFormClass, L"Ferrolis", WS_POPUP, 0, 0, 0, 0, nullptr,
                                    nullptr, instance_, nullptr);
  }
  return hidden_owner_;
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

HWND Win32Renderer::ControlHandle(const ui::Control& control) const {
  const ControlWindow* cw = Find(control);
  return cw ? cw->hwnd : nullptr;
}

HWND Win32Renderer::TooltipHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? fw->tooltip : nullptr;
}

int Win32Renderer::FormDpi(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? fw->dpi : kDefaultDpi;
}

platform::NativeHandle Win32Renderer::WindowHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? reinterpret_cast<platform::NativeHandle>(fw->hwnd) : 0;
}

platform::NativeHandle Win32Renderer::IconHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? reinterpret_cast<platform::NativeHandle>(fw->icon_big) : 0;
}

HFONT Win32Renderer::Font(const ui::FontSpec& wanted, int dpi) {
  const auto key = std::make_tuple(wanted.name, static_cast<int>(std::lround(wanted.points * 100)),
                                   wanted.bold ? 1 : 0,
                                   (wanted.italic ? 1 : 0) | (wanted.underline ? 2 : 0), dpi);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;

  auto create = [&](const std::wstring& face) {
    return CreateFontW(FontHeightForPoints(wanted.points, dpi), 0, 0, 0,
                       wanted.bold ? FW_BOLD : FW_NORMAL, wanted.italic, wanted.underline, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
  };
  // The French texts need their accents: a face that lacks them gives way to
  // the dialog faces every Windows (and Wine) has.
  HFONT font = create(Widen(wanted.name));
  for (const wchar_t* fallback : {L"Tahoma", L"MS Shell Dlg"}) {
    if (font && HasAccents(font)) break;
    if (font) DeleteObject(font);
    font = create(fallback);
  }
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, font);
  return font;
}

// A picture resource, as an icon (preferred: it keeps its transparency) or a
// bitmap; an icon is drawn at `width` x `height` pixels. `type` receives
// IMAGE_ICON or IMAGE_BITMAP.
HANDLE Win32Renderer::LoadPicture(const std::string& name, int width, int height, UINT* type) {
  const std::wstring wide = Widen(name);
  if (HANDLE icon = LoadImageW(instance_, wide.c_str(), IMAGE_ICON, width, height, 0)) {
    *type = IMAGE_ICON;
    return icon;
  }
  if (HANDLE bitmap = LoadImageW(instance_, wide.c_str(), IMAGE_BITMAP, 0, 0,
                                 LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS)) {
    *type = IMAGE_BITMAP;
    return bitmap;
  }
  return nullptr;
}

namespace {
void FreePicture(HANDLE picture, UINT type) {
  if (type == IMAGE_ICON) {
    DestroyIcon(static_cast<HICON>(picture));
  } else {
    DeleteObject(picture);
  }
}
}  // namespace

void Win32Renderer::LoadIcons(FormWindow& fw) {
  const ui::FormStyle& style = fw.form->style();
  const std::wstring name = Widen(style.icon);
  const wchar_t* resource = style.icon.empty() ? MAKEINTRESOURCEW(kAppIconId) : name.c_str();
  auto load = [&](int metric) {
    const int size = MulDiv(GetSystemMetrics(metric), fw.dpi, SystemDpi());
    return static_cast<HICON>(LoadImageW(instance_, resource, IMAGE_ICON, size, size, 0));
  };
  if (fw.icon_big) DestroyIcon(fw.icon_big);
  if (fw.icon_small) DestroyIcon(fw.icon_small);
  fw.icon_big = load(SM_CXICON);
  fw.icon_small = load(SM_CXSMICON);
  if (!fw.icon_big) fw.icon_big = static_cast<HICON>(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  SendMessageW(fw.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(fw.icon_big));
  SendMessageW(fw.hwnd, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(fw.icon_small ? fw.icon_small : fw.icon_big));
}

void Win32Renderer::CreateForm(ui::Form& form) {
  if (Find(form)) return;
  CodeCall call(*this);
  auto owned = std::make_unique<FormWindow>();
  FormWindow& fw = *owned;
  fw.form = &form;
  fw.renderer = this;
  forms_.emplace(&form, std::move(owned));

  const WindowStyles styles = FormWindowStyles(form.style());
  HWND owner = form.style().show_in_taskbar ? nullptr : HiddenOwner();
  fw.hwnd =
      CreateWindowExW(styles.ex_style, kFormClass, Widen(form.caption()).c_str(), styles.style,
                      CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr, instance_, &fw);
  if (!fw.hwnd) {
    forms_.erase(&form);
    return;
  }
  fw.dpi = WindowDpi(fw.hwnd);
  LoadIcons(fw);

  fw.tooltip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, fw.hwnd, nullptr, instance_, nullptr);

  // Child windows in tab order: the dialog manager tabs through them in the
  // order they were created.
  for (ui::Control* control : ui::TabOrder(form)) {
    const auto position = std::find_if(form.controls().begin(), form.controls().end(),
                                       [control](const auto& c) { return c.get() == control; });
    CreateControl(fw, *control,
                  kFirstControlId + static_cast<int>(position - form.controls().begin()));
  }
  // Frames go to the bottom of the z-order so that they never cover the
  // controls inside them; they take no focus, so the tab order stays.
  for (const auto& cw : fw.controls) {
    if (cw->control->kind() == ui::ControlKind::Frame) {
      SetWindowPos(cw->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  // The menu bar before the window is sized: it takes room above the client area.
  BuildMenuBar(fw);
  Layout(fw);
  PlaceWindow(fw, form.style().centered);
}

void Win32Renderer::CreateControl(FormWindow& fw, ui::Control& control, int id) {
  const NativeControl native = DescribeControl(control);
  if (native.window_class == nullptr) return;  // menu items: not yet drawn

  const bool picture_button =
      control.kind() == ui::ControlKind::CommandButton && !control.picture().empty();
  const std::string& text = control.kind() == ui::ControlKind::TextBox ? control.text()
                            : picture_button                           ? std::string()
                                                                       : control.caption();
  DWORD style = native.styles.style;
  // Contents of a hidden or disabled frame start that way too.
  if (!ui::EffectivelyVisible(control)) style &= ~WS_VISIBLE;
  if (!ui::EffectivelyEnabled(control)) style |= WS_DISABLED;

  HANDLE picture = nullptr;
  UINT picture_type = IMAGE_ICON;
  if (!control.picture().empty()) {
    // An image shows its icon at the size it was declared with; a button
    // holds a small one.
    const PixelRect rect = ControlRect(control, fw.dpi);
    const int button_icon = MulDiv(24, fw.dpi, kDefaultDpi);
    const bool image = control.kind() == ui::ControlKind::Image;
    picture = LoadPicture(control.picture(), image ? rect.width : button_icon,
                          image ? rect.height : button_icon, &picture_type);
    if (picture && picture_type == IMAGE_BITMAP) {
      style &= ~(BS_ICON | SS_ICON);
      style |= control.kind() == ui::ControlKind::Image ? SS_BITMAP : BS_BITMAP;
    }
  }

  HWND hwnd = CreateWindowExW(
      native.styles.ex_style, native.window_class, Widen(text).c_str(), style, 0, 0, 0, 0, fw.hwnd,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (!hwnd) {
    if (picture) FreePicture(picture, picture_type);
    return;
  }
  auto cw = std::make_unique<ControlWindow>();
  cw->control = &control;
  cw->form = &fw;
  cw->hwnd = hwnd;
  by_control_[&control] = cw.get();
  by_hwnd_[hwnd] = cw.get();
  SetWindowSubclass(hwnd, &Win32Renderer::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));

  if (picture) {
    fw.pictures.emplace_back(picture, picture_type);
    if (control.kind() == ui::ControlKind::Image) {
      SendMessageW(hwnd, STM_SETIMAGE, picture_type, reinterpret_cast<LPARAM>(picture));
    } else {
      SendMessageW(hwnd, BM_SETIMAGE, picture_type, reinterpret_cast<LPARAM>(picture));
    }
  }
  switch (control.kind()) {
    case ui::ControlKind::TextBox:
      if (control.password_char() != 0) {
        const auto code = static_cast<unsigned char>(control.password_char());
        SendMessageW(hwnd, EM_SETPASSWORDCHAR, code, 0);
      }
      break;
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton:
      SendMessageW(hwnd, BM_SETCHECK, control.value() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    default:
      break;
  }
  ControlWindow& ref = *cw;
  fw.controls.push_back(std::move(cw));
  if (control.kind() == ui::ControlKind::ListBox) SyncListItems(ref);
  UpdateTooltip(ref);
}

// Places every control and gives it its font, for the form's DPI.
void Win32Renderer::Layout(FormWindow& fw) {
  for (const auto& cw : fw.controls) {
    const PixelRect rect = ControlRect(*cw->control, fw.dpi);
    SetWindowPos(cw->hwnd, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(cw->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font(cw->control->font(), fw.dpi)),
                 TRUE);
  }
  if (fw.tooltip) {
    SendMessageW(fw.tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(Font(ui::FontSpec{}, fw.dpi)),
                 FALSE);
  }
}

// Sizes the window for its client area and, when asked, centres it on the
// work area of its monitor.
void Win32Renderer::PlaceWindow(FormWindow& fw, bool center) {
  const ui::FormStyle& style = fw.form->style();
  const auto win_style = static_cast<DWORD>(GetWindowLongPtrW(fw.hwnd, GWL_STYLE));
  const auto win_ex_style = static_cast<DWORD>(GetWindowLongPtrW(fw.hwnd, GWL_EXSTYLE));
  const RECT frame = WindowRectForClient(TwipsToPixels(style.client_width, fw.dpi),
                                         TwipsToPixels(style.client_height, fw.dpi), win_style,
                                         win_ex_style, fw.menu_bar != nullptr, fw.dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int x = 0;
  int y = 0;
  if (center) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(fw.hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    x = work.left + (work.right - work.left - width) / 2;
    y = work.top + (work.bottom - work.top - height) / 2;
  } else {
    flags |= SWP_NOMOVE;
  }
  SetWindowPos(fw.hwnd, nullptr, x, y, width, height, flags);
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
  if (control.kind() == ui::ControlKind::Frame) {
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

void Win32Renderer::PropertyChanged(ui::Control& control, ui::Property property) {
  if (control.kind() == ui::ControlKind::MenuItem) {
    if (FormWindow* fw = Find(control.form())) BuildMenuBar(*fw);
    return;
  }
  ControlWindow* cw = Find(control);
  if (!cw) return;
  {
    CodeCall call(*this);
    switch (property) {
      case ui::Property::Caption:
        if (control.kind() != ui::ControlKind::TextBox &&
            !(control.kind() == ui::ControlKind::CommandButton && !control.picture().empty())) {
          SetNativeText(*cw, control.caption());
        }
        break;
      case ui::Property::Text:
        if (control.kind() == ui::ControlKind::TextBox) {
          SetNativeText(*cw, control.text());
          ApplySelection(*cw);
        }
        break;
      case ui::Property::Value:
        SendMessageW(cw->hwnd, BM_SETCHECK, control.value() ? BST_CHECKED : BST_UNCHECKED, 0);
        ApplyGroupTabStops(*cw->form);
        break;
      case ui::Property::Enabled:
      case ui::Property::Visible:
        ShowEffectiveState(control);
        ApplyGroupTabStops(*cw->form);
        break;
      case ui::Property::ToolTip:
        UpdateTooltip(*cw);
        break;
      case ui::Property::Font:
        SendMessageW(cw->hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(Font(control.font(), cw->form->dpi)), TRUE);
        break;
      case ui::Property::ListItems:
        SyncListItems(*cw);
        break;
      case ui::Property::Selection:
        ApplySelection(*cw);
        break;
    }
  }
  DeliverHeldFocus();
}

// Tab stops inside option groups follow the choice: only the button Tab
// stops at carries WS_TABSTOP.
void Win32Renderer::ApplyGroupTabStops(FormWindow& fw) {
  for (const auto& cw : fw.controls) {
    if (cw->control->kind() != ui::ControlKind::OptionButton) continue;
    const LONG_PTR style = GetWindowLongPtrW(cw->hwnd, GWL_STYLE);
    const LONG_PTR wanted =
        NativeTabStop(*cw->control) ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP});
    if (wanted != style) SetWindowLongPtrW(cw->hwnd, GWL_STYLE, wanted);
  }
}

void Win32Renderer::DestroyForm(ui::Form& form) {
  auto it = forms_.find(&form);
  if (it == forms_.end()) return;
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
    if (fw.hwnd) DestroyWindow(fw.hwnd);  // children, tooltip and menu go with it
    for (auto [picture, type] : fw.pictures) FreePicture(picture, type);
    if (fw.icon_big) DestroyIcon(fw.icon_big);
    if (fw.icon_small) DestroyIcon(fw.icon_small);
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
