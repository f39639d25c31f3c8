#include "ui/kinds.h"

namespace ferrolis::ui {
namespace {

using K = ControlKind;

constexpr KindTraits kRows[] = {
    {.kind = K::Label},
    {.kind = K::TextBox, .takes_focus = true},
    {.kind = K::CommandButton, .takes_focus = true, .pressed_by_enter = true},
    {.kind = K::CheckBox,
     .takes_focus = true,
     .click = ClickEffect::Toggle,
     .value = ValueChange::RaisesClick},
    {.kind = K::OptionButton,
     .takes_focus = true,
     .click = ClickEffect::Select,
     .value = ValueChange::OneOfGroup,
     .grouped = true},
    {.kind = K::Frame, .contains = true},
    {.kind = K::ListBox, .takes_focus = true, .lines = true},
    {.kind = K::Image},
    {.kind = K::Line, .click = ClickEffect::None},
    // Its items are the menu items declared In() it.
    {.kind = K::MenuItem, .contains = true, .menu_item = true},
};

}  // namespace

const KindTraits& TraitsOf(ControlKind kind) {
  for (const KindTraits& row : kRows) {
    if (row.kind == kind) return row;
  }
  static constexpr KindTraits kNothing{.kind = {}, .click = ClickEffect::None};
  return kNothing;
}

}  // namespace ferrolis::ui
