#include "ui/rules.h"

#include <algorithm>
#include <climits>

#include "ui/kinds.h"

namespace ferrolis::ui {
namespace {

bool Reachable(const Control* control) {
  return control != nullptr && EffectivelyEnabled(*control) && EffectivelyVisible(*control);
}

}  // namespace

bool EffectivelyEnabled(const Control& control) {
  for (const Control* at = &control; at != nullptr; at = at->container()) {
    if (!at->enabled()) return false;
  }
  return true;
}

bool EffectivelyVisible(const Control& control) {
  for (const Control* at = &control; at != nullptr; at = at->container()) {
    if (!at->visible()) return false;
  }
  return true;
}

bool CanTakeFocus(const Control& control) {
  return TraitsOf(control.kind()).takes_focus && Reachable(&control);
}

std::vector<Control*> TabOrder(const Form& form) {
  std::vector<Control*> ordered;
  ordered.reserve(form.controls().size());
  for (const auto& control : form.controls()) ordered.push_back(control.get());
  std::stable_sort(ordered.begin(), ordered.end(), [](const Control* a, const Control* b) {
    const int ta = a->tab_index() < 0 ? INT_MAX : a->tab_index();
    const int tb = b->tab_index() < 0 ? INT_MAX : b->tab_index();
    return ta < tb;
  });
  return ordered;
}

std::vector<Control*> WindowOrder(const Form& form) {
  std::vector<Control*> order = TabOrder(form);
  for (Control* label : TabOrder(form)) {
    Control* named = label->named();
    if (named == nullptr || named == label || &named->form() != &form) continue;
    order.erase(std::find(order.begin(), order.end(), label));
    order.insert(std::find(order.begin(), order.end(), named), label);
  }
  return order;
}

std::vector<Control*> OptionGroup(const Control& option) {
  std::vector<Control*> group;
  for (Control* other : TabOrder(option.form())) {
    if (TraitsOf(other->kind()).grouped && other->container() == option.container()) {
      group.push_back(other);
    }
  }
  return group;
}

bool IsTabStop(const Control& control) {
  if (!CanTakeFocus(control)) return false;
  if (!TraitsOf(control.kind()).grouped) return true;
  const std::vector<Control*> group = OptionGroup(control);
  for (const Control* member : group) {
    if (member->value() != 0 && CanTakeFocus(*member)) return member == &control;
  }
  for (const Control* member : group) {
    if (CanTakeFocus(*member)) return member == &control;
  }
  return false;
}

bool StartsGroup(const Control& control) {
  if (!TraitsOf(control.kind()).grouped) return true;
  return OptionGroup(control).front() == &control;
}

Control* NextTabStop(const Form& form, const Control* from, bool backwards) {
  std::vector<Control*> order = TabOrder(form);
  if (backwards) std::reverse(order.begin(), order.end());
  const auto start = std::find(order.begin(), order.end(), from);
  const std::size_t first = start == order.end() ? 0 : (start - order.begin()) + 1;
  for (std::size_t step = 0; step < order.size(); ++step) {
    Control* candidate = order[(first + step) % order.size()];
    if (IsTabStop(*candidate)) return candidate;
  }
  return nullptr;
}

Control* NextInGroup(const Control& option, int step) {
  const std::vector<Control*> group = OptionGroup(option);
  const auto at = std::find(group.begin(), group.end(), &option);
  if (at == group.end()) return nullptr;
  const auto size = static_cast<long>(group.size());
  long index = at - group.begin();
  for (long moved = 1; moved < size; ++moved) {
    index = ((index + step) % size + size) % size;
    if (CanTakeFocus(*group[static_cast<std::size_t>(index)])) {
      return group[static_cast<std::size_t>(index)];
    }
  }
  return nullptr;
}

Control* EnterTarget(const Form& form) {
  Control* focused = form.focused();
  if (focused != nullptr && TraitsOf(focused->kind()).pressed_by_enter && Reachable(focused)) {
    return focused;
  }
  for (const auto& control : form.controls()) {
    if (control->is_default() && Reachable(control.get())) return control.get();
  }
  return nullptr;
}

Control* EscapeTarget(const Form& form) {
  for (const auto& control : form.controls()) {
    if (control->is_cancel() && Reachable(control.get())) return control.get();
  }
  return nullptr;
}

}  // namespace ferrolis::ui
