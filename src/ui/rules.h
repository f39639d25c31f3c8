// The rules every renderer follows for what the user can reach: what is
// really enabled and visible, which controls take the focus and in which
// order, how option buttons form groups, and which button Enter and Escape
// press. The Win32 renderer shows them with native styles; the headless one
// acts on them directly; both answer the same way.
#pragma once

#include <vector>

#include "ui/control.h"
#include "ui/form.h"

namespace ferrolis::ui {

// A control inside a disabled (hidden) frame or menu is disabled (hidden)
// too, however deep it sits.
bool EffectivelyEnabled(const Control& control);
bool EffectivelyVisible(const Control& control);

// The keyboard focus can be on the control now: its kind takes the focus and
// it is enabled and visible through its containers.
bool CanTakeFocus(const Control& control);

// Every control of the form in tab order: by tab index, then the controls
// without one in the order they were declared.
std::vector<Control*> TabOrder(const Form& form);

// Every control of the form in the order its windows are made: the tab order,
// with each label moved to just before the control it names. Labels take no
// focus, so the order of the controls that do stays the tab order.
std::vector<Control*> WindowOrder(const Form& form);

// The option buttons grouped with this one (same form, same container), in
// tab order; the button itself is among them.
std::vector<Control*> OptionGroup(const Control& option);

// Whether Tab stops at the control. In an option group only one button does:
// the chosen one, or the first that can take the focus when none can.
bool IsTabStop(const Control& control);

// Whether the control starts a group for the arrow keys: every control but
// the option buttons after the first of their group.
bool StartsGroup(const Control& control);

// The next tab stop after `from` (the first one when `from` is null),
// wrapping around; null when there is none.
Control* NextTabStop(const Form& form, const Control* from, bool backwards);

// The option button an arrow key moves to from `option`: the next (step 1) or
// previous (step -1) of its group that can take the focus, wrapping around.
Control* NextInGroup(const Control& option, int step);

// What Enter presses: the focused command button, else the form's default
// button when the user can reach it. Null: Enter goes to the focused control.
Control* EnterTarget(const Form& form);
// What Escape presses: the cancel button when the user can reach it.
Control* EscapeTarget(const Form& form);

}  // namespace ferrolis::ui
