#include "platform/win32/win32_gdi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/ascii.h"
#include "platform/win32/win32_layout.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

bool HasAccents(HFONT font) {
  const wchar_t sample[] = L"\u00e9\u00e8\u00e0\u00e7";
  WORD glyphs[4] = {};
  DWORD done = GDI_ERROR;
  {
    const OwnedDeviceContext dc = WindowDeviceContext(nullptr);
    if (!dc) return true;
    const Selection selected(dc, font);
    done = GetGlyphIndicesW(dc, sample, 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  }
  if (done == GDI_ERROR) return true;  // cannot tell: keep the font asked for
  return std::none_of(std::begin(glyphs), std::end(glyphs), [](WORD g) { return g == 0xFFFF; });
}

// Faces the forms name that are bitmap fonts on Windows, drawn blocky or at
// the wrong size once scaled, and the TrueType face with the same metrics
// that Windows ships in their place.
std::wstring ScalableFace(const std::string& face) {
  static constexpr std::pair<const char*, const wchar_t*> kScalable[] = {
      {"MS Sans Serif", L"Microsoft Sans Serif"},
  };
  for (const auto& [bitmap, truetype] : kScalable) {
    if (EqualIgnoringCase(face, bitmap)) return truetype;
  }
  return Widen(face);
}

}  // namespace

Picture LoadPicture(HINSTANCE module, const std::wstring& name, int width, int height) {
  if (HANDLE icon = LoadImageW(module, name.c_str(), IMAGE_ICON, width, height, 0)) {
    return Picture(static_cast<HICON>(icon));
  }
  if (HANDLE bitmap = LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0,
                                 LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS)) {
    return Picture(static_cast<HBITMAP>(bitmap));
  }
  return {};
}

Picture LoadIconResource(HINSTANCE module, const wchar_t* resource, int size) {
  return Picture(static_cast<HICON>(LoadImageW(module, resource, IMAGE_ICON, size, size, 0)));
}

HFONT FontCache::Get(const ui::FontSpec& wanted, int dpi) {
  const auto key = std::make_tuple(wanted.name, static_cast<int>(std::lround(wanted.points * 100)),
                                   wanted.bold ? 1 : 0,
                                   (wanted.italic ? 1 : 0) | (wanted.underline ? 2 : 0), dpi);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second.get();

  auto create = [&](const std::wstring& face) {
    return CreateFontW(FontHeightForPoints(wanted.points, dpi), 0, 0, 0,
                       wanted.bold ? FW_BOLD : FW_NORMAL, wanted.italic, wanted.underline, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
  };
  OwnedFont font(create(ScalableFace(wanted.name)));
  for (const wchar_t* fallback : {L"Tahoma", L"MS Shell Dlg"}) {
    if (font && HasAccents(font)) break;
    font.reset(create(fallback));
  }
  // A stock font is never deleted: it stays out of the cache's ownership.
  if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return fonts_.emplace(key, std::move(font)).first->second.get();
}

}  // namespace ferrolis::platform::win32
