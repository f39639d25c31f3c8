// The main working window. Closing it, in any way, ends the whole program.
#pragma once

#include "ui/form.h"

namespace ferrolis::mainwindow {

class IDD_Main : public ui::Form {
 public:
  explicit IDD_Main(ui::Runtime& runtime);

  void Form_QueryUnload(int& cancel, int unload_mode) override;
};

}  // namespace ferrolis::mainwindow
