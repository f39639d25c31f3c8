// The main working window. It declares its controls in one place (the
// constructor, mainwindow/idd_main.cpp); its handlers' bodies live with the
// subsystem they serve:
//   mainwindow/   loading, rights, change tracking, quitting, closing, save
//   restrictions/ LoadRestrictions and the scope option buttons
//   autologon/    the automatic logon check box and the Shell value's box
//   uninstall/    the uninstall entry list
//   access/       the access password frame Frame1
//   about/        the "A Propos" menu items
//   export/       the "Fichier" menu: the configuration exported for other machines
// Closing it, in any way, ends the whole program.
#pragma once

#include <array>
#include <cstdint>

#include "access/module1.h"
#include "autologon/winlogon.h"
#include "program/services.h"
#include "registry/idbas_registry.h"
#include "restrictions/disable_system_functions.h"
#include "ui/form.h"

namespace ferrolis::mainwindow {

// Form-level truth values are 16 bits wide, with true stored as all bits set.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

class IDD_Main : public ui::Form {
 public:
  IDD_Main(program::Services& services, access::Module1& module1);

  // Access password frame.
  ui::Control& Frame1;
  ui::Control& Command4;
  ui::Control& Command3;
  ui::Control& Command2;
  ui::Control& Command1;
  ui::Control& Text2;
  ui::Control& Text1;
  ui::Control& Label2;
  ui::Control& Label1;
  // Uninstall list.
  ui::Control& cmdRefresh;
  ui::Control& cmdDelete;
  ui::Control& lstPrograms;
  // System settings frame.
  ui::Control& IDFR_SystemSettings;
  std::array<ui::Control*, restrictions::kShellRestrictions.size()> IDCK_Disable;  // by index
  ui::Control& IDOP_Current;
  ui::Control& IDOP_All;
  ui::Control& IDE_Shell;
  ui::Control& IDL_Shell;
  // Automatic logon group and buttons.
  ui::Control& IDE_ReEnterPassword;
  ui::Control& IDCM_Exit;
  ui::Control& IDCM_Save;
  ui::Control& IDE_Username;
  ui::Control& IDE_Password;
  ui::Control& IDE_Domain;
  ui::Control& IDCK_AutoLogin;
  ui::Control& IDL_AddRemove;
  ui::Control& IDL_Message;
  ui::Control& IDL_Note;
  ui::Control& IDL_ReEnterPassword;
  ui::Control& IDL_Username;
  ui::Control& IDL_Password;
  ui::Control& IDL_Domain;
  // Menu bar.
  ui::Control& Mnu_Fichier;
  ui::Control& Mnu_Exporter;
  ui::Control& Mnu_Apropos;
  ui::Control& IDM_About;
  ui::Control& sep1;
  ui::Control& Mnu_Auteur;
  ui::Control& sep2;
  ui::Control& Mnu_Quitter;

  // Form-level state.
  Flag AdminRights = kFalse;
  Flag LogonChanged = kFalse;
  Flag RestrictionsChanged = kFalse;
  Flag ScopeReverting = kFalse;

  // Each group of handlers below is written in the file its comment names.
  // mainwindow/idd_main_load.cpp
  void Form_Load() override;
  void ApplyAdminRights(bool rights);
  // mainwindow/idd_main_closing.cpp
  void Form_QueryUnload(int& cancel, int unload_mode) override;
  bool HasUnsavedChanges() const override;
  void IDCM_Exit_Click();
  void Mnu_Quitter_Click();
  // mainwindow/idd_main_changes.cpp
  void IDE_Username_Change();
  void IDE_Password_Change();
  void IDE_ReEnterPassword_Change();
  void IDE_Domain_Change();
  void IDCK_Disable_Click(int index);
  void IDE_Username_GotFocus();
  void IDE_Password_GotFocus();
  void IDE_ReEnterPassword_GotFocus();
  void IDE_Domain_GotFocus();
  // mainwindow/idd_main_save.cpp
  void IDCM_Save_Click();
  // The save itself: true when it completed (window clean again); false when
  // a check stopped it with its message and nothing was written, or when the
  // registry refused some of its writes, which it names (the window stays
  // modified).
  bool SaveConfiguration();
  // restrictions/idd_main_scope.cpp
  void LoadRestrictions();
  void IDOP_Current_Click();
  void IDOP_All_Click();
  // autologon/idd_main_logon.cpp
  void IDCK_AutoLogin_Click();
  void IDE_Shell_Change();
  void IDE_Shell_GotFocus();
  // uninstall/idd_main_uninstall.cpp
  void cmdRefresh_Click();
  void cmdDelete_Click();
  void lstPrograms_Click();
  // access/idd_main_password.cpp
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  // about/idd_main_about.cpp
  void IDM_About_Click();
  void Mnu_Auteur_Click();
  // export/idd_main_export.cpp
  void Mnu_Exporter_Click();

 private:
  // restrictions/idd_main_scope.cpp: the steps both scope option buttons share.
  struct Scope;
  void ScopeClick(const Scope& scope);
  void SetShellControlsFor(const Scope& scope);

  program::Services& services_;
  access::Module1& module1_;
  registry::IDBAS_Registry registry_;
  restrictions::IDBAS_DisableSystemFunctions restrictions_;
  autologon::Winlogon winlogon_;
};

}  // namespace ferrolis::mainwindow
