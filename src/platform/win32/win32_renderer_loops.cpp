// Message loops: the program's, a modal form's, a message box's.
//
// Re-entrancy. Every handler runs on this one thread, inside a window
// procedure, and a handler may itself start a loop (a modal form, a message
// box) whose events run further handlers before it returns; a Win32 call made
// for code (SetFocus, SetWindowText, a style change) may also send messages
// back at once. Three rules keep this sound:
//  - The runtime's Dispatch marks the outermost user event; handlers nested in
//    it run plainly, so that an End (ProgramEnded) unwinds the whole handler
//    chain up to that entry, and no further. EventEnded follows it (a list
//    filled meanwhile is redrawn then), or comes first when it opens a loop.
//  - A nested loop opens a LoopScope (and with it the runtime's ModalScope):
//    events inside it are entries of their own again, so that an End raised
//    there is caught inside the loop's frame and never unwinds through the
//    system's frames (DispatchMessage, MessageBox, the dialog manager).
//  - Calls made for code run inside a CodeCall: the focus arrivals they cause
//    are held and delivered (GotFocus) once the call is over, for the same
//    reason. The window procedures are noexcept: an End that still gets
//    there ends the program, anything else terminates it, since nothing may
//    unwind through a system frame.
// How a click travels from its window message to the handler and on to the
// registry: docs/architecture.md.
#include <optional>

#include "platform/win32/win32_renderer.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {

Win32Renderer::LoopScope::LoopScope(Win32Renderer& renderer)
    : renderer_(renderer), modal_(renderer.runtime_), saved_depth_(renderer.code_depth_) {
  renderer_.code_depth_ = 0;
  // The event that opens this loop goes on only once it ends: the lists it
  // filled are painted now, not when the modal window or box is closed.
  renderer_.EventEnded();
}

Win32Renderer::LoopScope::~LoopScope() { renderer_.code_depth_ = saved_depth_; }

void Win32Renderer::ShowForm(ui::Form& form, bool modal) {
  FormWindow* fw = Find(form);
  if (fw == nullptr) return;
  HWND hwnd = fw->hwnd;
  // A modal form's scope opens before its window appears: once on screen the
  // form is the user's, and what reaches it as it appears (another program's
  // keys sent while the window is being shown) is an event of its own, not a
  // part of the handler that showed it.
  std::optional<LoopScope> loop;
  if (modal) loop.emplace(*this);
  {
    CodeCall call(*this);
    if (modal) {
      for (const auto& [other_form, other] : forms_) {
        if (other.get() != fw && IsWindowEnabled(other->hwnd)) {
          EnableWindow(other->hwnd, FALSE);
          fw->disabled_for_modal.push_back(other->hwnd);
        }
      }
    }
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    FocusOnShow(*fw);
    CreateTooltip(*fw);
  }
  DeliverHeldFocus();
  if (!modal) return;

  // The form's own loop: it ends when the form is unloaded.
  {
    auto still_open = [&] {
      const FormWindow* now = Find(form);
      return now != nullptr && now->hwnd == hwnd;
    };
    MSG msg;
    while (still_open()) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == -1) break;
      if (got == 0) {
        // The program's loop must see the quit as well.
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      ProcessMessage(msg);
    }
  }
  loop.reset();
  if (FormWindow* left = Find(form); left != nullptr && left->hwnd == hwnd) {
    ReleaseModalDisable(*left);
  }
}

void Win32Renderer::ProcessMessage(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && IsFormWindow(root) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void Win32Renderer::ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ProcessMessage(msg);
  }
}

void Win32Renderer::RunMessageLoop() {
  if (quit_requested_) {
    quit_requested_ = false;
    return;
  }
  ++running_loops_;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) ProcessMessage(msg);
  --running_loops_;
}

void Win32Renderer::QuitMessageLoop() {
  // Without a running loop (the last form went during start-up) there is
  // nothing to wake; the next loop simply does not start.
  if (running_loops_ > 0) {
    PostQuitMessage(0);
  } else {
    quit_requested_ = true;
  }
}

int Win32Renderer::ShowMessageBox(ui::Form* owner, const std::string& prompt,
                                  const std::string& title, int style) {
  const FormWindow* fw = owner ? Find(*owner) : nullptr;
  HWND hwnd = fw ? fw->hwnd.get() : nullptr;
  // The style values are MB_ flags. Without an owner the box still keeps
  // the program's windows from being used while it is open.
  UINT type = static_cast<UINT>(style);
  if (hwnd == nullptr) type |= MB_TASKMODAL;
  LoopScope loop(*this);
  return MessageBoxW(hwnd, Widen(prompt).c_str(), Widen(title).c_str(), type);
}

}  // namespace ferrolis::platform::win32
