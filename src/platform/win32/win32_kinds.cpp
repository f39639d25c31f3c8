#include "platform/win32/win32_kinds.h"

#include "platform/win32/win32_libraries.h"
#include "ui/kinds.h"
#include "ui/rules.h"

namespace ferrolis::platform::win32 {
namespace {

DWORD LabelStyles(const ui::Control& control) {
  DWORD style = SS_LEFT;
  if (control.alignment() == ui::Alignment::Right) style = SS_RIGHT;
  if (control.alignment() == ui::Alignment::Center) style = SS_CENTER;
  return control.OnClick ? style | SS_NOTIFY : style;
}

DWORD TextBoxStyles(const ui::Control& control) {
  return ES_LEFT | ES_AUTOHSCROLL | (control.password_char() != 0 ? ES_PASSWORD : 0);
}

// A caption too long for one line wraps, as the forms were drawn for.
DWORD ButtonStyles(const ui::Control& control) {
  return (control.is_default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_MULTILINE |
         (control.picture().empty() ? 0 : BS_ICON);
}

// Check boxes and option buttons are not automatic: the runtime changes the
// value and the renderer shows it.
DWORD CheckBoxStyles(const ui::Control&) { return BS_CHECKBOX; }
DWORD OptionStyles(const ui::Control&) { return BS_RADIOBUTTON; }

// Clipped by the controls above it, so that it never paints over them.
DWORD FrameStyles(const ui::Control&) { return BS_GROUPBOX | WS_CLIPSIBLINGS; }

// The horizontal scroll bar shows only while a line is wider than the list
// (its extent is fitted to the widest line as lines come). The list keeps the
// box it was given: left to fit itself to whole lines, it shrinks again each
// time the scroll bar comes and goes, and loses lines it had room for.
DWORD ListStyles(const ui::Control& control) {
  return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
         (control.extended_selection() ? LBS_EXTENDEDSEL : 0);
}

DWORD ImageStyles(const ui::Control& control) {
  return SS_ICON | SS_CENTERIMAGE | (control.OnClick ? SS_NOTIFY : 0);
}

DWORD LineStyles(const ui::Control& control) {
  const ui::Twips& at = control.position();
  return at.width >= at.height ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
}

void SetPasswordChar(HWND hwnd, const ui::Control& control) {
  if (control.password_char() != 0) {
    SendMessageW(hwnd, EM_SETPASSWORDCHAR, static_cast<unsigned char>(control.password_char()), 0);
  }
}

// Under every other control, which it must never cover (it takes no focus, so
// the tab order stays); drawn plain, because a visual style may draw a group
// box's caption in its own font and lose a bold one.
void SinkFrame(HWND hwnd, const ui::Control&) {
  SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DrawWithoutVisualStyle(hwnd);
}

constexpr NativeList kListBox{
    .reset = LB_RESETCONTENT,
    .add = LB_ADDSTRING,
    .count = LB_GETCOUNT,
    .current = LB_GETCURSEL,
    .choose = LB_SETCURSEL,
    .select = LB_SETSEL,
    .selected_count = LB_GETSELCOUNT,
    .selected_lines = LB_GETSELITEMS,
    .get_extent = LB_GETHORIZONTALEXTENT,
    .set_extent = LB_SETHORIZONTALEXTENT,
};

using K = ui::ControlKind;
using T = NativeText;
using E = NativeEvent;

// One row per kind, each at its kind's index in ControlKind.
constexpr NativeKind kKinds[] = {
    {.kind = K::Label,
     .window_class = L"STATIC",
     .styles = LabelStyles,
     .text = T::Caption,
     .notification = STN_CLICKED,
     .event = E::Click,
     .fits_caption = true},
    {.kind = K::TextBox,
     .window_class = L"EDIT",
     .styles = TextBoxStyles,
     .ex_style = WS_EX_CLIENTEDGE,
     .text = T::Text,
     .notification = EN_CHANGE,
     .event = E::TextChanged,
     .after_create = SetPasswordChar,
     .keys = NativeKeys::Typing},
    {.kind = K::CommandButton,
     .window_class = L"BUTTON",
     .styles = ButtonStyles,
     .text = T::Caption,
     .set_image = BM_SETIMAGE,
     .notification = BN_CLICKED,
     .event = E::Click},
    {.kind = K::CheckBox,
     .window_class = L"BUTTON",
     .styles = CheckBoxStyles,
     .text = T::Caption,
     .checkable = true,
     .notification = BN_CLICKED,
     .event = E::Click},
    {.kind = K::OptionButton,
     .window_class = L"BUTTON",
     .styles = OptionStyles,
     .text = T::Caption,
     .checkable = true,
     .notification = BN_CLICKED,
     .event = E::Click,
     .keys = NativeKeys::GroupArrows},
    {.kind = K::Frame,
     .window_class = L"BUTTON",
     .styles = FrameStyles,
     .text = T::Caption,
     .after_create = SinkFrame},
    {.kind = K::ListBox,
     .window_class = L"LISTBOX",
     .styles = ListStyles,
     .ex_style = WS_EX_CLIENTEDGE,
     .notification = LBN_SELCHANGE,
     .event = E::LinesSelected,
     .list = &kListBox},
    // An image may take its picture's size when it is made.
    {.kind = K::Image,
     .window_class = L"STATIC",
     .styles = ImageStyles,
     .set_image = STM_SETIMAGE,
     .notification = STN_CLICKED,
     .event = E::Click,
     .refit_after_create = true},
    // Declared with no thickness; an etched line needs two pixels, and adds
    // its edge when it is made.
    {.kind = K::Line,
     .window_class = L"STATIC",
     .styles = LineStyles,
     .refit_after_create = true,
     .min_thickness = 2},
    // Drawn on the form's menu bar: no window.
    {.kind = K::MenuItem},
};
static_assert(ui::OneRowPerKind(kKinds), "the rows follow the order of ControlKind");

}  // namespace

const NativeKind& NativeKindOf(ui::ControlKind kind) {
  return kKinds[static_cast<std::size_t>(kind)];
}

bool NativeTabStop(const ui::Control& control) {
  if (!ui::TraitsOf(control.kind()).takes_focus) return false;
  // The dialog manager skips disabled and hidden windows by itself; an option
  // group needs its one tab stop placed by the shared rule.
  return !ui::TraitsOf(control.kind()).grouped || ui::IsTabStop(control);
}

WindowStyles ControlStyles(const ui::Control& control) {
  const NativeKind& row = NativeKindOf(control.kind());
  DWORD style = WS_CHILD | (row.styles ? row.styles(control) : 0);
  // Contents of a hidden or disabled frame start that way too.
  if (ui::EffectivelyVisible(control)) style |= WS_VISIBLE;
  if (!ui::EffectivelyEnabled(control)) style |= WS_DISABLED;
  if (NativeTabStop(control)) style |= WS_TABSTOP;
  if (ui::StartsGroup(control)) style |= WS_GROUP;
  return {style, row.ex_style};
}

std::string WindowTextOf(const ui::Control& control) {
  const NativeKind& row = NativeKindOf(control.kind());
  if (row.set_image != 0 && !control.picture().empty()) {
    // Not drawn (a BS_ICON or BS_BITMAP button shows its picture alone), but
    // read as its name: its caption, else its tooltip, whose "&"s are doubled
    // so that they give it no access key. An image's text would name its icon.
    if (row.text != NativeText::Caption) return {};
    if (!control.caption().empty()) return control.caption();
    std::string text;
    for (char c : control.tooltip()) text.append(c == '&' ? "&&" : std::string(1, c));
    return text;
  }
  switch (row.text) {
    case NativeText::Caption:
      return control.caption();
    case NativeText::Text:
      return control.text();
    case NativeText::None:
      break;
  }
  return {};
}

void DrawWithoutVisualStyle(HWND hwnd) {
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const auto set_window_theme =
      SystemFunction<SetWindowThemeFn>(L"uxtheme.dll", "SetWindowTheme");
  if (set_window_theme != nullptr) set_window_theme(hwnd, L"", L"");
}

}  // namespace ferrolis::platform::win32
