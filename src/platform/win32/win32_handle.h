// Win32 handles with one owner each: a window, a menu, a GDI object, an
// icon, a kernel object, a file search, a device context, freed by its kind's
// deleter when its owner goes, so that nothing thrown between getting a
// handle and giving it back (a failed allocation) leaks it.
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
  // The deleter may hold what freeing needs besides the handle (the window
  // whose device context it is).
  explicit Owned(Handle handle, Deleter deleter = {}) noexcept
      : handle_(handle), deleter_(deleter) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(other.release()), deleter_(other.deleter_) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      reset(other.release());
      deleter_ = other.deleter_;
    }
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
    if (handle_ != nullptr && handle_ != handle) deleter_(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
  [[no_unique_address]] Deleter deleter_{};
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

// Made only from a search that found something: FindFirstFileW answers
// INVALID_HANDLE_VALUE, not null, when it fails.
struct SearchDeleter {
  void operator()(HANDLE search) const noexcept { FindClose(search); }
};
struct DeviceContextReleaser {
  HWND window = nullptr;  // null: the screen's
  void operator()(HDC dc) const noexcept { ReleaseDC(window, dc); }
};

using OwnedWindow = Owned<HWND, WindowDeleter>;
using OwnedMenu = Owned<HMENU, MenuDeleter>;
using OwnedFont = Owned<HFONT, GdiObjectDeleter>;
using OwnedBitmap = Owned<HBITMAP, GdiObjectDeleter>;
using OwnedIcon = Owned<HICON, IconDeleter>;
using OwnedKernelHandle = Owned<HANDLE, KernelHandleDeleter>;
using OwnedSearch = Owned<HANDLE, SearchDeleter>;
using OwnedDeviceContext = Owned<HDC, DeviceContextReleaser>;

// The device context of `window`'s client area, or of the screen for null
// (GetDC); null when Windows gives none.
inline OwnedDeviceContext WindowDeviceContext(HWND window) {
  return OwnedDeviceContext(GetDC(window), DeviceContextReleaser{window});
}

// A GDI object (a font) selected into a device context, which gets back the
// object it replaced when the selection goes, before the context is given
// back. A null object selects nothing.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), replaced_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (replaced_ != nullptr && replaced_ != HGDI_ERROR) SelectObject(dc_, replaced_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ replaced_;
};

}  // namespace ferrolis::platform::win32
