#include "ui/kinds.h"

namespace ferrolis::ui {
namespace {

using K = ControlKind;

// One row per kind, each at its kind's index in ControlKind.
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
static_assert(OneRowPerKind(kRows), "the rows follow the order of ControlKind");

}  // namespace

const KindTraits& TraitsOf(ControlKind kind) { return kRows[static_cast<std::size_t>(kind)]; }

}  // namespace ferrolis::ui
