#include "ui/control.h"

#include <algorithm>
#include <utility>

#include "platform/utf8.h"
#include "ui/form.h"
#include "ui/kinds.h"
#include "ui/rules.h"
#include "ui/runtime.h"

namespace ferrolis::ui {

Control::Control(Form& form, ControlKind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {}

bool Control::is_separator() const { return TraitsOf(kind_).menu_item && caption_ == "-"; }

Control& Control::Caption(std::string caption) {
  caption_ = std::move(caption);
  return *this;
}
Control& Control::At(int left, int top, int width, int height) {
  position_ = {left, top, width, height};
  return *this;
}
Control& Control::Tab(int tab_index) {
  tab_index_ = tab_index;
  return *this;
}
Control& Control::ToolTip(std::string text) {
  tooltip_ = std::move(text);
  return *this;
}
Control& Control::PasswordChar(char c) {
  password_char_ = c;
  return *this;
}
Control& Control::Font(FontSpec font) {
  font_ = std::move(font);
  return *this;
}
Control& Control::Picture(std::string resource) {
  picture_ = std::move(resource);
  return *this;
}
Control& Control::In(Control& container) {
  container_ = &container;
  return *this;
}
Control& Control::ExtendedSelection() {
  extended_selection_ = true;
  return *this;
}
Control& Control::Default() {
  default_ = true;
  return *this;
}
Control& Control::Cancel() {
  cancel_ = true;
  return *this;
}
Control& Control::Align(Alignment alignment) {
  alignment_ = alignment;
  return *this;
}
Control& Control::Pointer(MousePointer pointer) {
  pointer_ = pointer;
  return *this;
}
Control& Control::Names(Control& control) {
  named_ = &control;
  return *this;
}
Control& Control::Hidden() {
  SetVisible(false);
  return *this;
}
Control& Control::Disabled() {
  SetEnabled(false);
  return *this;
}

void Control::Changed(Property property) {
  if (form_.loaded()) form_.runtime().renderer().PropertyChanged(*this, property);
}

void Control::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed(Property::Caption);
}

void Control::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  sel_start_ = std::min(sel_start_, TextLength());
  sel_length_ = 0;
  Changed(Property::Text);
  Raise(OnChange);
}

int Control::TextLength() const { return static_cast<int>(platform::Utf16Length(text_)); }

void Control::SetValue(int value) {
  const ValueChange change = TraitsOf(kind_).value;
  if (change == ValueChange::OneOfGroup) {
    if (value == 0) {
      if (value_ == 0) return;
      value_ = 0;
      Changed(Property::Value);
      return;
    }
    // The other buttons of the same group (same form, same container) go off.
    for (const auto& other : form_.controls()) {
      if (other.get() != this && TraitsOf(other->kind_).grouped &&
          other->container_ == container_ && other->value_ != 0) {
        other->value_ = 0;
        other->Changed(Property::Value);
      }
    }
    if (value_ == 0) {
      value_ = 1;
      Changed(Property::Value);
    }
    Raise(OnClick);
    return;
  }
  if (value == value_) return;
  value_ = value;
  Changed(Property::Value);
  if (change == ValueChange::RaisesClick) Raise(OnClick);
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed(Property::Enabled);
  if (!enabled) PassFocusOn();
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(Property::Visible);
  if (!visible) PassFocusOn();
}

void Control::PassFocusOn() {
  Control* focused = form_.focused();
  if (!form_.shown() || focused == nullptr || CanTakeFocus(*focused)) return;
  if (Control* next = NextTabStop(form_, focused, false)) next->SetFocus();
}

void Control::SetToolTip(const std::string& text) {
  if (text == tooltip_) return;
  tooltip_ = text;
  Changed(Property::ToolTip);
}

void Control::SetSelection(int start, int length) {
  const int size = TextLength();
  sel_start_ = std::clamp(start, 0, size);
  sel_length_ = std::clamp(length, 0, size - sel_start_);
  Changed(Property::Selection);
}

void Control::SetFocus() {
  if (form_.loaded()) form_.runtime().renderer().SetFocus(*this);
}

void Control::Clear() {
  items_.clear();
  selected_.clear();
  Changed(Property::ListItems);
}

void Control::AddItem(const std::string& line) {
  items_.push_back(line);
  selected_.push_back(false);
  if (form_.loaded()) form_.runtime().renderer().ListLineAdded(*this, ListCount() - 1);
}

void Control::SetSelected(int i, bool selected) {
  if (selected_.at(static_cast<std::size_t>(i)) == selected) return;
  // A list without multiple selection has one chosen line at most.
  if (selected && TraitsOf(kind_).lines && !extended_selection_) {
    for (int other = 0; other < ListCount(); ++other) {
      if (other != i && selected_[static_cast<std::size_t>(other)]) SelectLine(other, false);
    }
  }
  SelectLine(i, selected);
}

void Control::SelectLine(int i, bool selected) {
  selected_[static_cast<std::size_t>(i)] = selected;
  if (form_.loaded()) form_.runtime().renderer().ListLineSelected(*this, i);
}

int Control::SelCount() const {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

}  // namespace ferrolis::ui
