#include "mainwindow/idd_main.h"

#include "ui/runtime.h"

namespace ferrolis::mainwindow {
namespace {

ui::FormStyle MainStyle() {
  ui::FormStyle style;
  style.border = ui::BorderStyle::FixedSingle;
  style.min_button = true;
  style.max_button = false;
  style.show_in_taskbar = true;
  style.centered = true;
  style.client_width = 9000;
  style.client_height = 6000;
  return style;
}

}  // namespace

IDD_Main::IDD_Main(ui::Runtime& runtime) : ui::Form(runtime, "IDD_Main", "Ferrolis", MainStyle()) {}

void IDD_Main::Form_QueryUnload(int& /*cancel*/, int /*unload_mode*/) { runtime().End(); }

}  // namespace ferrolis::mainwindow
