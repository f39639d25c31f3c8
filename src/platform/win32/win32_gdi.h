// GDI and USER resources that free themselves: the fonts the forms use, and
// the icons and bitmaps shown by windows and controls. A form's resources
// live as long as its FormWindow, which destroys its windows first.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/control.h"

namespace ferrolis::platform::win32 {

// An icon or a bitmap, with its IMAGE_ type; destroyed with its owner.
class Picture {
 public:
  Picture() = default;
  Picture(HANDLE handle, UINT type) : handle_(handle), type_(type) {}
  ~Picture() { Free(); }
  Picture(Picture&& other) noexcept : handle_(other.handle_), type_(other.type_) {
    other.handle_ = nullptr;
  }
  Picture& operator=(Picture&& other) noexcept {
    if (this != &other) {
      Free();
      handle_ = other.handle_;
      type_ = other.type_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  HANDLE get() const { return handle_; }
  HICON icon() const { return static_cast<HICON>(handle_); }
  UINT type() const { return type_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Free();
  HANDLE handle_ = nullptr;
  UINT type_ = IMAGE_ICON;
};

// A picture resource of `module`, as an icon (preferred: it keeps its
// transparency) drawn at width x height pixels, or else a bitmap.
Picture LoadPicture(HINSTANCE module, const std::wstring& name, int width, int height);
// An icon resource (by name or MAKEINTRESOURCE id) at a square size.
Picture LoadIconResource(HINSTANCE module, const wchar_t* resource, int size);

// The fonts of every form, one per face, size, weight, style and DPI,
// deleted with the cache.
class FontCache {
 public:
  FontCache() = default;
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // A bitmap face is asked for by its TrueType twin ("MS Sans Serif" as
  // "Microsoft Sans Serif"). The French texts need their accents: a face that
  // lacks them gives way to the dialog faces every Windows (and Wine) has.
  HFONT Get(const ui::FontSpec& wanted, int dpi);

 private:
  std::map<std::tuple<std::string, int, int, int, int>, HFONT> fonts_;
};

}  // namespace ferrolis::platform::win32
