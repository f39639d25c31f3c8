// What each kind of control is to the runtime, in one table: whether it can
// hold the keyboard focus and what a user's click does to it. The runtime and
// every renderer read these rows instead of switching on the kind.
#pragma once

#include "ui/control.h"

namespace ferrolis::ui {

enum class ClickEffect {
  None,        // nothing happens (a line)
  RaiseClick,  // the control's Click runs
  Toggle,      // Value flips between 0 and 1; Click follows the change
  Select,      // Value becomes 1, the group's others 0; Click when it was 0
};

struct KindTraits {
  bool takes_focus = false;
  ClickEffect click = ClickEffect::RaiseClick;
};

const KindTraits& TraitsOf(ControlKind kind);

}  // namespace ferrolis::ui
