// Message box style and result values.
#pragma once

namespace ferrolis::ui {

// Button sets.
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
// Icons, added to a button set.
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;

// Buttons pressed.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

// Lines inside a prompt are separated by a carriage return alone.
inline constexpr char kLineBreak = '\r';

}  // namespace ferrolis::ui
