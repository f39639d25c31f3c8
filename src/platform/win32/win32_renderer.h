// The forms on screen: one native top-level window per form, one native child
// window per control (STATIC, EDIT, BUTTON, LISTBOX) and a menu bar, all
// driven by the form runtime. User actions come back to the runtime as its
// user events; changes made by code are shown without being echoed back as
// user events. What each kind of control becomes is in win32_kinds; the
// renderer's jobs are split by file:
//   win32_renderer.cpp         bookkeeping, properties shown on the windows
//   win32_renderer_create.cpp  creating, laying out and destroying windows
//   win32_renderer_events.cpp  window procedures, notifications, keys, focus
//   win32_renderer_loops.cpp   message loops, modal forms, message boxes
//   win32_renderer_lists.cpp   list box lines and selection
//   win32_renderer_menus.cpp   the menu bar
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_layout.h"
#include "ui/form.h"
#include "ui/renderer.h"
#include "ui/runtime.h"

namespace ferrolis::platform::win32 {

class Win32Renderer final : public ui::Renderer {
 public:
  // `instance` is the module whose resources hold the program icon (icon 1)
  // and the pictures named by controls.
  Win32Renderer(ui::Runtime& runtime, HINSTANCE instance);
  ~Win32Renderer() override;
  Win32Renderer(const Win32Renderer&) = delete;
  Win32Renderer& operator=(const Win32Renderer&) = delete;

  void CreateForm(ui::Form& form) override;
  void ShowForm(ui::Form& form, bool modal) override;
  void DestroyForm(ui::Form& form) override;
  void FormCaptionChanged(ui::Form& form) override;
  void PropertyChanged(ui::Control& control, ui::Property property) override;
  void ListLineAdded(ui::Control& control, int line) override;
  void ListLineSelected(ui::Control& control, int line) override;
  void EventEnded() override;
  void SetFocus(ui::Control& control) override;
  int ShowMessageBox(ui::Form* owner, const std::string& prompt, const std::string& title,
                     int style) override;
  void RunMessageLoop() override;
  void QuitMessageLoop() override;
  platform::NativeHandle WindowHandle(const ui::Form& form) const override;
  platform::NativeHandle IconHandle(const ui::Form& form) const override;

  // The native window of a control; nullptr when it has none.
  HWND ControlHandle(const ui::Control& control) const;
  // The form's tooltip window; nullptr before the form is created.
  HWND TooltipHandle(const ui::Form& form) const;
  // The form's menu bar; nullptr when it declares no menu.
  HMENU MenuHandle(const ui::Form& form) const;
  // The id of a control's window, and the command id of a menu item on its
  // form's menu bar: one rule for both.
  static int ControlId(const ui::Control& control);
  // The DPI the form is laid out for.
  int FormDpi(const ui::Form& form) const;
  // Finds the user32 functions that Windows 7 and 8.1 lack (GetDpiForWindow,
  // AdjustWindowRectExForDpi) for the forms created after it is set; null
  // looks in user32. A test sets a lookup that finds none to lay forms out
  // as those Windows do.
  static FARPROC (*user32_lookup)(const char* name);

  // One message of a loop: the keyboard interface of its form (Tab, access
  // keys) first, then the window itself.
  void ProcessMessage(MSG& msg);
  // Handles every message already queued, without waiting.
  void ProcessPendingMessages();

 private:
  struct FormWindow;
  struct ControlWindow {
    ui::Control* control = nullptr;
    FormWindow* form = nullptr;
    // Destroyed with its parent, the form's window.
    HWND hwnd = nullptr;
    // The window procedure of the control's class, which ControlProc replaces.
    WNDPROC native_proc = nullptr;
    // A list's first line added since its horizontal extent was last fitted,
    // or -1; measured once the running event ends.
    int unmeasured_from = -1;
  };
  // Its members go in the reverse of this order: the tooltip, then the
  // window (with its children and menu bar), whose last messages still find
  // the controls' records; the icons and pictures last, once nothing shows
  // them any more.
  struct FormWindow {
    Win32Renderer* renderer = nullptr;
    ui::Form* form = nullptr;
    Picture icon_big;
    Picture icon_small;
    // Icons and bitmaps shown by controls.
    std::vector<Picture> pictures;
    std::vector<std::unique_ptr<ControlWindow>> controls;
    // The DPI of the window's monitor, which the system draws its frame,
    // caption and menu bar at.
    int monitor_dpi = 96;
    // The DPI the form's controls, fonts and pictures are laid out at: the
    // monitor's, or less when the window would not fit in the work area.
    int dpi = 96;
    // The child that had the focus when the window was last deactivated, or
    // that code asked for before the window was shown.
    HWND focus_to_restore = nullptr;
    // Windows this form disabled while it runs modal.
    std::vector<HWND> disabled_for_modal;
    // Owned by the window once SetMenu has given it, and destroyed with it.
    HMENU menu_bar = nullptr;
    OwnedWindow hwnd;
    // Owned by the window too (its popup), but destroyed first here, as the
    // system would.
    OwnedWindow tooltip;
  };

  // Win32 calls made on behalf of code: focus arrivals they cause are held
  // back until the call is over, so that the handlers they raise (and an End
  // inside them) never run inside the system's own frames.
  class CodeCall {
   public:
    explicit CodeCall(Win32Renderer& renderer) : renderer_(renderer) { ++renderer_.code_depth_; }
    ~CodeCall() { --renderer_.code_depth_; }
    CodeCall(const CodeCall&) = delete;
    CodeCall& operator=(const CodeCall&) = delete;

   private:
    Win32Renderer& renderer_;
  };
  // A nested message loop: events inside it are the user's again.
  class LoopScope {
   public:
    explicit LoopScope(Win32Renderer& renderer);
    ~LoopScope();
    LoopScope(const LoopScope&) = delete;
    LoopScope& operator=(const LoopScope&) = delete;

   private:
    Win32Renderer& renderer_;
    ui::Runtime::ModalScope modal_;
    int saved_depth_;
  };

  // Nothing unwinds through the system's frames: an exception that gets
  // this far ends the program.
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wparam,
                                      LPARAM lparam) noexcept;
  // The message handled by the control's own class.
  static LRESULT CallNative(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // What the procedures above do with a message; an End is stopped here.
  LRESULT HandleFormMessage(FormWindow& fw, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT HandleControlMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  void HandleCommand(FormWindow& fw, WPARAM wparam, LPARAM lparam);
  bool QueryEndSession(FormWindow& fw);
  void HandleDialogCommand(FormWindow& fw, int id);
  bool HandleOptionArrow(ControlWindow& cw, WPARAM key);
  bool HandleSetCursor(HWND target, LPARAM lparam);
  void HandleKeyPress(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void ReportSelection(ControlWindow& cw);
  void ReportListSelection(ControlWindow& cw);
  void FocusArrivedAt(HWND hwnd);
  void DeliverHeldFocus();

  FormWindow* Find(const ui::Form& form) const;
  ControlWindow* Find(const ui::Control& control) const;
  ControlWindow* Find(HWND hwnd) const;
  bool IsFormWindow(HWND hwnd) const;

  void RegisterClasses();
  HWND HiddenOwner();
  void CreateControl(FormWindow& fw, ui::Control& control);
  PixelRect PlacedRect(FormWindow& fw, const ui::Control& control);
  void Layout(FormWindow& fw);
  void CreateTooltip(FormWindow& fw);
  // The layout DPI for the window on the monitor whose work area is given.
  int FitDpi(const FormWindow& fw, const RECT& work) const;
  // Sizes the window for its layout and places it inside the work area of
  // its monitor: centred, at `suggested` (a DPI change), or where it is.
  void PlaceWindow(FormWindow& fw, bool center, const RECT* suggested = nullptr);
  void LoadIcons(FormWindow& fw);
  void UpdateTooltip(ControlWindow& cw);
  void ShowCaption(ControlWindow& cw);
  void ShowText(ControlWindow& cw);
  void ShowValue(ControlWindow& cw);
  void ShowState(ControlWindow& cw);
  void ShowEffectiveState(ui::Control& control);
  void SetNativeText(ControlWindow& cw, const std::string& text);
  void ApplySelection(ControlWindow& cw);
  void SyncListItems(ControlWindow& cw);
  void ShowLineSelection(ControlWindow& cw, int line);
  void FitListExtent(ControlWindow& cw, int from);
  void ApplyGroupTabStops(FormWindow& fw);
  void BuildMenuBar(FormWindow& fw);
  OwnedMenu BuildMenu(FormWindow& fw, const ui::Control* parent, bool bar);
  void FocusOnShow(FormWindow& fw);
  void ReleaseModalDisable(FormWindow& fw);

  ui::Runtime& runtime_;
  HINSTANCE instance_;
  OwnedWindow hidden_owner_;
  std::unordered_map<const ui::Form*, std::unique_ptr<FormWindow>> forms_;
  std::unordered_map<const ui::Control*, ControlWindow*> by_control_;
  std::unordered_map<HWND, ControlWindow*> by_hwnd_;
  FontCache fonts_;

  int code_depth_ = 0;
  int running_loops_ = 0;
  bool quit_requested_ = false;
  HWND held_focus_ = nullptr;
  // The control whose text the renderer itself is setting (its EN_CHANGE is
  // not the user's).
  HWND setting_text_ = nullptr;
  // The option button the focus is arriving at: the BN_CLICKED a radio button
  // sends when it gets the focus from the keyboard is not a choice.
  HWND focus_arriving_ = nullptr;
  // Lists whose redrawing is held until the running event ends.
  std::vector<HWND> redraw_held_;
};

}  // namespace ferrolis::platform::win32
