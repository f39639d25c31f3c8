// The main window over the platform doubles and the headless renderer, as the
// window's native tests drive it.
#pragma once

#include "mainwindow/idd_main.h"
#include "support/world.h"

namespace ferrolis::testing {

struct MainWindowWorld : World {
  mainwindow::IDD_Main window{services, module};
};

}  // namespace ferrolis::testing
