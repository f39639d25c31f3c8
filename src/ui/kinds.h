// What each kind of control is to the runtime, in one table: whether it can
// hold the keyboard focus, what a user's click and a change of its value do,
// and what it holds. The runtime and every renderer read these rows instead of
// testing the kind.
#pragma once

#include <cstddef>

#include "ui/control.h"

namespace ferrolis::ui {

enum class ClickEffect {
  None,        // nothing happens (a line)
  RaiseClick,  // the control's Click runs
  Toggle,      // Value flips between 0 and 1; Click follows the change
  Select,      // Value becomes 1, the group's others 0; Click when it was 0
};

// What SetValue does besides storing the value.
enum class ValueChange {
  Plain,        // the renderer shows it; nothing runs
  RaisesClick,  // Click runs after each change (a check box)
  OneOfGroup,   // 1 turns the others of its group off; Click runs on every
                // SetValue(1), even when it was chosen already
};

struct KindTraits {
  ControlKind kind;
  bool takes_focus = false;
  ClickEffect click = ClickEffect::RaiseClick;
  ValueChange value = ValueChange::Plain;
  // The buttons of one container form a group: one tab stop among them, the
  // arrow keys move the focus and the choice inside it.
  bool grouped = false;
  // Controls may be declared In() it; they show and take input only when it
  // does.
  bool contains = false;
  // It holds lines the user chooses: one at most, or several once declared
  // ExtendedSelection().
  bool lines = false;
  // Enter presses it while it has the focus, before the form's default button.
  bool pressed_by_enter = false;
  // An item of the form's menu bar rather than a control on the form.
  bool menu_item = false;
};

const KindTraits& TraitsOf(ControlKind kind);

inline constexpr std::size_t kControlKinds = static_cast<std::size_t>(ControlKind::kCount);

// Whether a table keyed by the kind holds each kind's row at the kind's index,
// so that a lookup is an index. Each such table asserts it: a kind added
// without its row, a row too many or rows out of the enum's order do not
// compile.
template <class Row, std::size_t N>
constexpr bool OneRowPerKind(const Row (&rows)[N]) {
  static_assert(N == kControlKinds, "one row for each ControlKind: a kind has no row here");
  for (std::size_t i = 0; i < N; ++i) {
    if (rows[i].kind != static_cast<ControlKind>(i)) return false;
  }
  return true;
}

}  // namespace ferrolis::ui
