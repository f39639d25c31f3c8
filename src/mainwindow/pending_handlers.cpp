// Handlers not built yet. Each subsystem moves its own out of this file into
// its folder when it builds them; the file goes once it is empty.
#include "mainwindow/idd_main.h"

namespace ferrolis::mainwindow {

// about/

}  // namespace ferrolis::mainwindow
