// A control of a form: its declared layout and its run-time state. Changes made
// by code raise the same handlers as the user's actions, synchronously, before
// the setter returns.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ferrolis::ui {

class Form;

enum class ControlKind {
  Label,
  TextBox,
  CommandButton,
  CheckBox,
  OptionButton,
  Frame,
  ListBox,
  Image,
  Line,
  // A menu of the form's menu bar when it has no container; an item of the
  // menu it is In() otherwise. An item captioned "-" is a separator. The
  // item's OnClick runs when the user chooses it.
  MenuItem,
  // Not a kind: how many there are. A new kind goes above it; the tables
  // keyed by the kind (ui/kinds.cpp, platform/win32/win32_kinds.cpp) do not
  // compile until each has the new kind's row.
  kCount,
};

enum class Alignment { Left, Right, Center };

// The mouse pointer shown over a control.
enum class MousePointer { Default, Hand };

// Position and size in twips, relative to the form's client area (or to the
// containing frame).
struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct FontSpec {
  std::string name = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// What changed, for the renderer.
enum class Property {
  Caption,
  Text,
  Value,
  Enabled,
  Visible,
  ToolTip,
  ListItems,  // the whole list: cleared (lines added and selected come one by one)
  Selection,
};

class Control {
 public:
  Control(Form& form, ControlKind kind, std::string name, int index);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Declaration, used while a form is being built (before it is loaded).
  Control& Caption(std::string caption);
  Control& At(int left, int top, int width, int height);
  Control& Tab(int tab_index);
  Control& ToolTip(std::string text);
  Control& PasswordChar(char c);
  Control& Font(FontSpec font);
  Control& Picture(std::string resource);
  Control& In(Control& container);
  Control& ExtendedSelection();
  // Enter anywhere on the form presses this button.
  Control& Default();
  // Escape anywhere on the form presses this button.
  Control& Cancel();
  Control& Align(Alignment alignment);
  Control& Pointer(MousePointer pointer);
  // This label names `control` for screen readers, which read the label just
  // before an edit box or a list box in the window order as its name.
  Control& Names(Control& control);
  // Before loading: the declared state. After: the same as SetVisible(false)
  // and SetEnabled(false).
  Control& Hidden();
  Control& Disabled();

  Form& form() const { return form_; }
  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  // Index within a control array, or -1 for a single control.
  int index() const { return index_; }
  const Twips& position() const { return position_; }
  int tab_index() const { return tab_index_; }
  const std::string& tooltip() const { return tooltip_; }
  char password_char() const { return password_char_; }
  const FontSpec& font() const { return font_; }
  const std::string& picture() const { return picture_; }
  Control* container() const { return container_; }
  bool extended_selection() const { return extended_selection_; }
  bool is_default() const { return default_; }
  bool is_cancel() const { return cancel_; }
  Alignment alignment() const { return alignment_; }
  MousePointer pointer() const { return pointer_; }
  // The control this label names, or nullptr.
  Control* named() const { return named_; }
  // A menu item captioned "-".
  bool is_separator() const;

  // Run-time properties.
  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& text() const { return text_; }
  void SetText(const std::string& text);
  // The text's length in characters, counted as Windows counts them (UTF-16
  // units): the unit of the selection start and length.
  int TextLength() const;
  // Check box: 0 or 1. Option button: 0 (false) or 1 (true).
  int value() const { return value_; }
  void SetValue(int value);
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool visible() const { return visible_; }
  void SetVisible(bool visible);
  void SetToolTip(const std::string& text);
  // The text box's selection, in characters (the units of TextLength()),
  // clamped to the text.
  int sel_start() const { return sel_start_; }
  int sel_length() const { return sel_length_; }
  void SetSelection(int start, int length);
  // Moves the focus here; GotFocus follows once the focus has arrived.
  void SetFocus();

  // List box lines.
  void Clear();
  void AddItem(const std::string& line);
  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string& List(int i) const { return items_.at(static_cast<std::size_t>(i)); }
  bool Selected(int i) const { return selected_.at(static_cast<std::size_t>(i)); }
  void SetSelected(int i, bool selected);
  int SelCount() const;

  // Handlers, bound by the form. A control array binds its element's index.
  std::function<void()> OnClick;
  std::function<void()> OnChange;
  std::function<void()> OnGotFocus;
  // The key's character code; a handler may change it, 0 swallows the key.
  std::function<void(int& key_ascii)> OnKeyPress;

  // Used by the runtime for the user's own actions: the new state is already
  // on screen, so only the model changes and the handler runs.
  void StoreTextFromUser(const std::string& text) { text_ = text; }
  void StoreLinesFromUser(const std::vector<bool>& lines) { selected_ = lines; }
  void StoreSelectionFromUser(int start, int length) {
    sel_start_ = start;
    sel_length_ = length;
  }

 private:
  void Changed(Property property);
  // After this control was disabled or hidden: a focused control that can no
  // longer take the focus hands it on to the next tab stop, so that the
  // keyboard never goes dead.
  void PassFocusOn();
  void SelectLine(int i, bool selected);
  static void Raise(const std::function<void()>& handler) {
    if (handler) handler();
  }

  Form& form_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Twips position_;
  int tab_index_ = -1;
  std::string tooltip_;
  char password_char_ = 0;
  FontSpec font_;
  std::string picture_;
  Control* container_ = nullptr;
  bool extended_selection_ = false;
  bool default_ = false;
  bool cancel_ = false;
  Alignment alignment_ = Alignment::Left;
  MousePointer pointer_ = MousePointer::Default;
  Control* named_ = nullptr;

  std::string caption_;
  std::string text_;
  int value_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  int sel_start_ = 0;
  int sel_length_ = 0;
  std::vector<std::string> items_;
  std::vector<bool> selected_;
};

}  // namespace ferrolis::ui
