// The access gate: the start-up window that asks for the access password.
#pragma once

#include <functional>

#include "access/module1.h"
#include "program/services.h"
#include "ui/form.h"

namespace ferrolis::access {

class FrmMDP : public ui::Form {
 public:
  // `main_window` gives the main window, created on its first call.
  FrmMDP(program::Services& services, Module1& module, std::function<ui::Form&()> main_window);

  ui::Control& Label1;
  ui::Control& Text1;
  ui::Control& Command1;
  ui::Control& Command2;
  ui::Control& Command3;

  void Form_Load() override;
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Text1_KeyPress(int& key_ascii);

 private:
  // The system copy exists but cannot be trusted: say so and stop.
  [[noreturn]] void RefuseDamagedPasswordFile();

  program::Services& services_;
  Module1& module_;
  std::function<ui::Form&()> main_window_;
};

}  // namespace ferrolis::access
