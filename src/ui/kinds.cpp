#include "ui/kinds.h"

#include <array>
#include <cstddef>
#include <utility>

namespace ferrolis::ui {
namespace {

constexpr std::pair<ControlKind, KindTraits> kRows[] = {
    {ControlKind::Label, {false, ClickEffect::RaiseClick}},
    {ControlKind::TextBox, {true, ClickEffect::RaiseClick}},
    {ControlKind::CommandButton, {true, ClickEffect::RaiseClick}},
    {ControlKind::CheckBox, {true, ClickEffect::Toggle}},
    {ControlKind::OptionButton, {true, ClickEffect::Select}},
    {ControlKind::Frame, {false, ClickEffect::RaiseClick}},
    {ControlKind::ListBox, {true, ClickEffect::RaiseClick}},
    {ControlKind::Image, {false, ClickEffect::RaiseClick}},
    {ControlKind::Line, {false, ClickEffect::None}},
    {ControlKind::MenuItem, {false, ClickEffect::RaiseClick}},
};

}  // namespace

const KindTraits& TraitsOf(ControlKind kind) {
  for (const auto& [row_kind, traits] : kRows) {
    if (row_kind == kind) return traits;
  }
  static constexpr KindTraits kNothing{false, ClickEffect::None};
  return kNothing;
}

}  // namespace ferrolis::ui
