// The user's side: the window procedures, the notifications that become user
// events, the keyboard (KeyPress, arrows, Enter, Escape) and the focus.
#include "platform/win32/win32_renderer.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/win32_kinds.h"
#include "platform/win32/win32_layout.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_text.h"
#include "ui/kinds.h"
#include "ui/rules.h"

namespace ferrolis::platform::win32 {
namespace {

#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

// Windows Vista and later show this text, beside the program's name, on the
// screen that lists what holds up a logoff or a shutdown.
constexpr wchar_t kSessionBlockReason[] = L"attend votre réponse avant de se fermer.";

// Looked up at run time: Windows Vista and later only.
class ShutdownBlockReason {
 public:
  ShutdownBlockReason(HWND hwnd, const std::wstring& reason) : hwnd_(hwnd) {
    using CreateFn = BOOL(WINAPI*)(HWND, LPCWSTR);
    static const auto create = SystemFunction<CreateFn>(L"user32.dll", "ShutdownBlockReasonCreate");
    created_ = create != nullptr && create(hwnd_, reason.c_str());
  }
  ~ShutdownBlockReason() {
    using DestroyFn = BOOL(WINAPI*)(HWND);
    static const auto destroy =
        SystemFunction<DestroyFn>(L"user32.dll", "ShutdownBlockReasonDestroy");
    if (created_ && destroy != nullptr && IsWindow(hwnd_)) destroy(hwnd_);
  }
  ShutdownBlockReason(const ShutdownBlockReason&) = delete;
  ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

 private:
  HWND hwnd_;
  bool created_ = false;
};

bool CanTakeFocus(HWND hwnd) {
  return hwnd && IsWindow(hwnd) && IsWindowEnabled(hwnd) &&
         (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

// The trampoline: every form window carries its FormWindow in GWLP_USERDATA.
LRESULT CALLBACK Win32Renderer::FormProc(HWND hwnd, UINT message, WPARAM wparam,
                                         LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* fw = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (fw == nullptr || fw->hwnd != hwnd) return DefWindowProcW(hwnd, message, wparam, lparam);
  return fw->renderer->HandleFormMessage(*fw, message, wparam, lparam);
}

// Every control window carries its ControlWindow in GWLP_USERDATA.
LRESULT CALLBACK Win32Renderer::ControlProc(HWND hwnd, UINT message, WPARAM wparam,
                                            LPARAM lparam) noexcept {
  auto* cw = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (cw == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    const WNDPROC native = cw->native_proc;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(native));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return CallWindowProcW(native, hwnd, message, wparam, lparam);
  }
  return cw->form->renderer->HandleControlMessage(hwnd, message, wparam, lparam);
}

// Handlers are entered through the runtime, which stops an End itself; should
// one get this far, the program still ends here, before any system frame.
LRESULT Win32Renderer::HandleFormMessage(FormWindow& fw, UINT message, WPARAM wparam,
                                         LPARAM lparam) noexcept try {
  switch (message) {
    case WM_COMMAND:
      HandleCommand(fw, wparam, lparam);
      return 0;
    case WM_SETCURSOR:
      if (HandleSetCursor(reinterpret_cast<HWND>(wparam), lparam)) return TRUE;
      return DefWindowProcW(fw.hwnd, message, wparam, lparam);
    case WM_CLOSE:
      // The runtime decides; its unload destroys the window.
      runtime_.UserClose(*fw.form);
      return 0;
    case WM_QUERYENDSESSION:
      return QueryEndSession(fw) ? TRUE : FALSE;
    case WM_ENDSESSION:
      runtime_.UserEndSession(wparam != 0);
      return 0;
    case WM_ACTIVATE:
      // A plain window forgets its focused child when it is deactivated (a
      // message box, another program); keep it and give it back.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(fw.hwnd, focus)) fw.focus_to_restore = focus;
      } else if (!HIWORD(wparam)) {
        FocusOnShow(fw);
      }
      return 0;
    case WM_SETFOCUS:
      // The window itself is no place for the keyboard: pass it on.
      FocusOnShow(fw);
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                   : GetNextDlgTabItem(fw.hwnd, GetFocus(), wparam != 0);
      if (target) ::SetFocus(target);
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI: laid out again for it, at the
      // largest scale that fits its work area, where the system suggests.
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      fw.monitor_dpi = HIWORD(wparam);
      MONITORINFO monitor{};
      monitor.cbSize = sizeof(monitor);
      GetMonitorInfoW(MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST), &monitor);
      fw.dpi = FitDpi(fw, monitor.rcWork);
      Layout(fw);
      PlaceWindow(fw, false, suggested);
      return 0;
    }
    default:
      return DefWindowProcW(fw.hwnd, message, wparam, lparam);
  }
} catch (const ui::ProgramEnded&) {
  runtime_.ExitProcess(0);
  return 0;
}

// Logoff or shutdown: the runtime asks the forms, while a block reason tells
// Windows why the program holds the session if a question waits for the user.
bool Win32Renderer::QueryEndSession(FormWindow& fw) {
  const ui::Form* active = runtime_.ActiveForm();
  const FormWindow* shown = active != nullptr ? Find(*active) : nullptr;
  std::wstring why = Widen(runtime_.program_title());
  why.append(L" ").append(kSessionBlockReason);
  const ShutdownBlockReason reason(shown != nullptr ? shown->hwnd : fw.hwnd, why);
  return runtime_.UserQueryEndSession();
}

// Whoever sends it, a command reaches only what the runtime says the user can
// use now; a text or a selection it refuses is put back as the model holds it.
void Win32Renderer::HandleCommand(FormWindow& fw, WPARAM wparam, LPARAM lparam) {
  const auto code = HIWORD(wparam);
  HWND child = reinterpret_cast<HWND>(lparam);
  if (child == nullptr) {
    HandleDialogCommand(fw, LOWORD(wparam));
    return;
  }
  ControlWindow* cw = Find(child);
  if (cw == nullptr || cw->form != &fw) return;
  const NativeKind& row = NativeKindOf(cw->control->kind());
  if (row.event == NativeEvent::None || code != row.notification) return;
  switch (row.event) {
    case NativeEvent::Click:
      // A radio button's click as the focus arrives is not the user's choice.
      if (child != focus_arriving_) runtime_.UserClick(*cw->control);
      break;
    case NativeEvent::TextChanged:
      // The renderer's own SetWindowText is not the user's typing.
      if (child != setting_text_ &&
          !runtime_.UserChangedText(*cw->control, Narrow(WindowText(child)))) {
        PropertyChanged(*cw->control, ui::Property::Text);
      }
      break;
    case NativeEvent::LinesSelected:
      ReportListSelection(*cw);
      break;
    case NativeEvent::None:
      break;
  }
}

// Menu commands, and the dialog manager's Enter (IDOK) and Escape (IDCANCEL).
void Win32Renderer::HandleDialogCommand(FormWindow& fw, int id) {
  ui::Control* target = nullptr;
  if (id == IDOK) {
    target = ui::EnterTarget(*fw.form);
  } else if (id == IDCANCEL) {
    target = ui::EscapeTarget(*fw.form);
  } else {
    for (const auto& control : fw.form->controls()) {
      if (ui::TraitsOf(control->kind()).menu_item && ControlId(*control) == id) {
        target = control.get();
      }
    }
  }
  if (target != nullptr) runtime_.UserClick(*target);
}

// The pointer over a control that asks for its own.
bool Win32Renderer::HandleSetCursor(HWND target, LPARAM lparam) {
  const ControlWindow* cw = Find(target);
  if (cw == nullptr || LOWORD(lparam) != HTCLIENT) return false;
  if (cw->control->pointer() != ui::MousePointer::Hand) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

// An arrow key on an option button moves the focus and the choice to the
// next button of its group (the dialog manager would move the focus only).
bool Win32Renderer::HandleOptionArrow(ControlWindow& cw, WPARAM key) {
  int step = 0;
  if (key == VK_DOWN || key == VK_RIGHT) step = 1;
  if (key == VK_UP || key == VK_LEFT) step = -1;
  if (step == 0) return false;
  ui::Control* next = ui::NextInGroup(*cw.control, step);
  if (next == nullptr) return true;
  ControlWindow* target = Find(*next);
  if (target == nullptr) return true;
  ::SetFocus(target->hwnd);
  if (Find(*next) != nullptr) runtime_.UserClick(*next);
  return true;
}

LRESULT Win32Renderer::CallNative(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto* cw = reinterpret_cast<const ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (cw == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return CallWindowProcW(cw->native_proc, hwnd, message, wparam, lparam);
}

// As HandleFormMessage, an End that gets this far ends the program here.
LRESULT Win32Renderer::HandleControlMessage(HWND hwnd, UINT message, WPARAM wparam,
                                            LPARAM lparam) noexcept try {
  ControlWindow* cw = Find(hwnd);
  if (cw == nullptr) return CallNative(hwnd, message, wparam, lparam);
  const NativeKeys keys = NativeKindOf(cw->control->kind()).keys;
  const bool typing = keys == NativeKeys::Typing;
  const bool group_arrows = keys == NativeKeys::GroupArrows;
  switch (message) {
    case WM_SETFOCUS: {
      // A radio button reports a click when the keyboard brings the focus to
      // it unchosen; the focus alone never chooses.
      const HWND saved = focus_arriving_;
      if (group_arrows) focus_arriving_ = hwnd;
      const LRESULT result = CallNative(hwnd, message, wparam, lparam);
      focus_arriving_ = saved;
      FocusArrivedAt(hwnd);
      return result;
    }
    case WM_GETDLGCODE: {
      LRESULT result = CallNative(hwnd, message, wparam, lparam);
      // Without a default button, Enter belongs to the text box (its
      // KeyPress), not to the dialog manager.
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      if (typing && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
          ui::EnterTarget(cw->control->form()) == nullptr) {
        result |= DLGC_WANTALLKEYS;
      }
      if (group_arrows) result |= DLGC_WANTARROWS;
      return result;
    }
    case WM_KEYDOWN:
      if (group_arrows && HandleOptionArrow(*cw, wparam)) return 0;
      break;
    case WM_CHAR:
      if (typing) {
        HandleKeyPress(hwnd, message, wparam, lparam);
        return 0;
      }
      break;
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case EM_SETSEL:
      if (typing) {
        const LRESULT result = CallNative(hwnd, message, wparam, lparam);
        // The renderer's own EM_SETSEL shows the model's selection already.
        if (code_depth_ == 0) {
          if (ControlWindow* still = Find(hwnd)) ReportSelection(*still);
        }
        return result;
      }
      break;
    default:
      break;
  }
  return CallNative(hwnd, message, wparam, lparam);
} catch (const ui::ProgramEnded&) {
  runtime_.ExitProcess(0);
  return 0;
}

// KeyPress runs before the EDIT sees the character; the handler may change
// it or swallow it (0).
void Win32Renderer::HandleKeyPress(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto code = static_cast<int>(wparam);
  ControlWindow* cw = Find(hwnd);
  // Half of a surrogate pair is no key of its own; a window no longer the
  // form's has no handler to ask.
  if (cw == nullptr || (code >= 0xD800 && code <= 0xDFFF)) {
    CallNative(hwnd, message, wparam, lparam);
    return;
  }
  const int key = runtime_.UserKeyPress(*cw->control, code);
  // The handler may have closed the form.
  cw = Find(hwnd);
  if (cw == nullptr || key == 0) return;
  // A single-line EDIT only beeps at Enter.
  if (key == '\r') return;
  CallNative(hwnd, message, static_cast<WPARAM>(key), lparam);
  if ((cw = Find(hwnd)) != nullptr) ReportSelection(*cw);
}

// The EDIT's selection, in the UTF-16 units the model counts in too.
void Win32Renderer::ReportSelection(ControlWindow& cw) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(cw.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const auto from = static_cast<int>(start);
  const auto length = static_cast<int>(end) - from;
  ui::Control& control = *cw.control;
  if (from != control.sel_start() || length != control.sel_length()) {
    runtime_.UserSelectedText(control, from, length);
  }
}

void Win32Renderer::FocusArrivedAt(HWND hwnd) {
  if (code_depth_ > 0) {
    held_focus_ = hwnd;
    return;
  }
  if (ControlWindow* cw = Find(hwnd)) runtime_.FocusArrived(*cw->control);
}

void Win32Renderer::DeliverHeldFocus() {
  if (code_depth_ > 0 || held_focus_ == nullptr) return;
  HWND hwnd = held_focus_;
  held_focus_ = nullptr;
  if (GetFocus() != hwnd) return;  // it has moved on since
  if (ControlWindow* cw = Find(hwnd)) runtime_.FocusArrived(*cw->control);
}

// The control the form's focus goes to: the one it had (or the one code
// asked for), else the first that can take it in tab order.
void Win32Renderer::FocusOnShow(FormWindow& fw) {
  HWND target = nullptr;
  if (CanTakeFocus(fw.focus_to_restore) && IsChild(fw.hwnd, fw.focus_to_restore)) {
    target = fw.focus_to_restore;
  } else {
    for (const auto& cw : fw.controls) {
      if (ui::IsTabStop(*cw->control) && CanTakeFocus(cw->hwnd)) {
        target = cw->hwnd;
        break;
      }
    }
  }
  if (target && GetFocus() != target) ::SetFocus(target);
}

void Win32Renderer::SetFocus(ui::Control& control) {
  ControlWindow* cw = Find(control);
  if (cw == nullptr) return;
  FormWindow& fw = *cw->form;
  if (!IsWindowVisible(fw.hwnd) || GetActiveWindow() != fw.hwnd) {
    // Taken up when the window is shown or comes back to the front.
    fw.focus_to_restore = cw->hwnd;
    if (!IsWindowVisible(fw.hwnd)) return;
  }
  {
    CodeCall call(*this);
    ::SetFocus(cw->hwnd);
  }
  DeliverHeldFocus();
}

}  // namespace ferrolis::platform::win32
