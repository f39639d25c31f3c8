// GDI and USER resources that free themselves: the fonts the forms use, and
// the icons and bitmaps shown by windows and controls. A form's resources
// live as long as its FormWindow, which destroys its windows first.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/win32/win32_handle.h"
#include "ui/control.h"

namespace ferrolis::platform::win32 {

// An icon or a bitmap, which says its IMAGE_ type; destroyed with its owner.
class Picture {
 public:
  Picture() = default;
  explicit Picture(HICON icon) : icon_(icon) {}
  explicit Picture(HBITMAP bitmap) : bitmap_(bitmap) {}

  HANDLE get() const {
    return icon_ ? static_cast<HANDLE>(icon_.get()) : static_cast<HANDLE>(bitmap_.get());
  }
  HICON icon() const { return icon_.get(); }
  UINT type() const { return bitmap_ ? IMAGE_BITMAP : IMAGE_ICON; }
  explicit operator bool() const { return get() != nullptr; }

 private:
  OwnedIcon icon_;
  OwnedBitmap bitmap_;
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
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // A bitmap face is asked for by its TrueType twin ("MS Sans Serif" as
  // "Microsoft Sans Serif"). The French texts need their accents: a face that
  // lacks them gives way to the dialog faces every Windows (and Wine) has.
  HFONT Get(const ui::FontSpec& wanted, int dpi);

 private:
  std::map<std::tuple<std::string, int, int, int, int>, OwnedFont> fonts_;
};

}  // namespace ferrolis::platform::win32
