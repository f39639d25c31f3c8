// The menu bar of a form: built from its MenuItem controls, rebuilt whenever
// one of them changes (caption, enabled, visible), and its commands passed to
// the runtime as the item's click.
#include <algorithm>

#include "platform/win32/win32_renderer.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

// Menu command ids share the range of the control ids: the control's place
// among its form's controls, above IDOK and IDCANCEL.
constexpr int kFirstMenuId = 1000;

bool HasItems(const ui::Form& form, const ui::Control& menu) {
  return std::any_of(form.controls().begin(), form.controls().end(), [&](const auto& c) {
    return c->kind() == ui::ControlKind::MenuItem && c->container() == &menu;
  });
}

}  // namespace

int Win32Renderer::MenuItemId(const ui::Control& item) {
  const auto& controls = item.form().controls();
  const auto at = std::find_if(controls.begin(), controls.end(),
                               [&](const auto& c) { return c.get() == &item; });
  return kFirstMenuId + static_cast<int>(at - controls.begin());
}

HMENU Win32Renderer::MenuHandle(const ui::Form& form) const {
  const FormWindow* fw = Find(form);
  return fw ? fw->menu_bar : nullptr;
}

// The items declared In(parent), in declaration order; the bar's when parent
// is null. A hidden item is left out, a disabled one is greyed.
HMENU Win32Renderer::BuildMenu(FormWindow& fw, const ui::Control* parent, bool bar) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  for (const auto& owned : fw.form->controls()) {
    const ui::Control& item = *owned;
    if (item.kind() != ui::ControlKind::MenuItem || item.container() != parent || !item.visible()) {
      continue;
    }
    if (item.is_separator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = item.enabled() ? MF_ENABLED : MF_GRAYED;
    const std::wstring caption = Widen(item.caption());
    if (HasItems(*fw.form, item)) {
      AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(BuildMenu(fw, &item, false)),
                  caption.c_str());
    } else {
      AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(MenuItemId(item)),
                  caption.c_str());
    }
  }
  return menu;
}

void Win32Renderer::BuildMenuBar(FormWindow& fw) {
  const auto& controls = fw.form->controls();
  const bool declared = std::any_of(controls.begin(), controls.end(), [](const auto& c) {
    return c->kind() == ui::ControlKind::MenuItem;
  });
  if (!declared) return;
  HMENU old = fw.menu_bar;
  fw.menu_bar = BuildMenu(fw, nullptr, true);
  SetMenu(fw.hwnd, fw.menu_bar);
  if (old) DestroyMenu(old);
  DrawMenuBar(fw.hwnd);
}

}  // namespace ferrolis::platform::win32
