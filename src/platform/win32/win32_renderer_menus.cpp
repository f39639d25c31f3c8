// The menu bar of a form: built from its MenuItem controls, rebuilt whenever
// one of them changes (caption, enabled, visible), and its commands passed to
// the runtime as the item's click.
#include <algorithm>
#include <utility>

#include "platform/win32/win32_renderer.h"
#include "platform/win32/win32_text.h"
#include "ui/kinds.h"

namespace ferrolis::platform::win32 {
namespace {

bool HasItems(const ui::Form& form, const ui::Control& menu) {
  return std::any_of(form.controls().begin(), form.controls().end(), [&](const auto& c) {
    return ui::TraitsOf(c->kind()).menu_item && c->container() == &menu;
  });
}

}  // namespace

HMENU Win32Renderer::MenuHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? fw->menu_bar : nullptr;
}

// The items declared In(parent), in declaration order; the bar's when parent
// is null. A hidden item is left out, a disabled one is greyed.
// A submenu belongs to the menu once appended to it.
OwnedMenu Win32Renderer::BuildMenu(FormWindow& fw, const ui::Control* parent, bool bar) {
  OwnedMenu menu(bar ? CreateMenu() : CreatePopupMenu());
  for (const auto& owned : fw.form->controls()) {
    const ui::Control& item = *owned;
    if (!ui::TraitsOf(item.kind()).menu_item || item.container() != parent || !item.visible()) {
      continue;
    }
    if (item.is_separator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = item.enabled() ? MF_ENABLED : MF_GRAYED;
    const std::wstring caption = Widen(item.caption());
    if (HasItems(*fw.form, item)) {
      OwnedMenu submenu = BuildMenu(fw, &item, false);
      if (AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu.get()),
                      caption.c_str())) {
        submenu.release();
      }
    } else {
      AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(ControlId(item)), caption.c_str());
    }
  }
  return menu;
}

void Win32Renderer::BuildMenuBar(FormWindow& fw) {
  const auto& controls = fw.form->controls();
  const bool declared = std::any_of(controls.begin(), controls.end(), [](const auto& c) {
    return ui::TraitsOf(c->kind()).menu_item;
  });
  if (!declared) return;
  OwnedMenu bar = BuildMenu(fw, nullptr, true);
  if (!SetMenu(fw.hwnd, bar)) return;
  // The window lets go of the bar it had: it is ours to destroy.
  OwnedMenu old(std::exchange(fw.menu_bar, bar.release()));
  old.reset();
  DrawMenuBar(fw.hwnd);
}

}  // namespace ferrolis::platform::win32
