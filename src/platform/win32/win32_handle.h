// Win32 handles with one owner each: a window, a menu, a GDI object, an
// icon, a kernel object, freed by its kind's deleter when its owner goes.
// What the system frees by itself is not owned here: a child window goes
// with its parent, a window's owned popups and its menu bar with it, a
// submenu with the menu it was appended to.
#pragma once

#include <windows.h>

namespace ferrolis::platform::win32 {

template <class Handle, class Deleter>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) noexcept : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const noexcept { return handle_; }
  // Read as the plain handle wherever the API takes one; ownership stays.
  operator Handle() const noexcept { return handle_; }

  // Hands the handle on (to the system, when it takes ownership of it).
  Handle release() noexcept {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  // Frees the handle held, then holds `handle`. The old handle is still
  // what get() answers while it is freed: a window being destroyed is sent
  // messages (WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY) whose procedure finds
  // its record by that handle.
  void reset(Handle handle = nullptr) noexcept {
    if (handle_ != nullptr && handle_ != handle) Deleter{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct WindowDeleter {
  void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
struct MenuDeleter {
  // Recursive: the submenus go with it.
  void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct IconDeleter {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct KernelHandleDeleter {
  void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};

using OwnedWindow = Owned<HWND, WindowDeleter>;
using OwnedMenu = Owned<HMENU, MenuDeleter>;
using OwnedFont = Owned<HFONT, GdiObjectDeleter>;
using OwnedBitmap = Owned<HBITMAP, GdiObjectDeleter>;
using OwnedIcon = Owned<HICON, IconDeleter>;
using OwnedKernelHandle = Owned<HANDLE, KernelHandleDeleter>;

}  // namespace ferrolis::platform::win32
