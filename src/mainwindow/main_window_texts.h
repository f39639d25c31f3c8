// What the main window says in its own message boxes: at loading, at saving
// and at closing. The lines of a message are separated by "\r", the line
// break of a message box (ui::kLineBreak).
#pragma once

namespace ferrolis::mainwindow::texts {

// The window's own captions; each panel's are in its subsystem's texts.
inline constexpr const char* kWindowCaption = "Ferrolis";
inline constexpr const char* kNoteLabel = "Note:";
inline constexpr const char* kSaveButton = "Enregistrer la configuration";
inline constexpr const char* kSaveTip = "Enregistrer les modifications système";
inline constexpr const char* kQuitButton = "Quitter";
inline constexpr const char* kQuitTip = "Quitter Ferrolis";
inline constexpr const char* kQuitMenuItem = "&Quitter";

// Loading.
inline constexpr const char* kWindows9xDetected =
    "Version Windows 95/98 détectée !\r"
    "Ferrolis fonctionne uniquement sur Windows NT 4.0/2000 PRO.\r"
    "Voir Gardelis pour Windows 95/98.";
inline constexpr const char* kWindowsVersionErrorTitle =
    "Erreur de version Windows - Quitter Ferrolis";
// Around the two account names, when the program runs under another account
// than the session's.
inline constexpr const char* kAnotherAccountBefore = "Ferrolis s'exécute sous le compte ";
inline constexpr const char* kAnotherAccountSession = ", et non sous celui de la session (";
inline constexpr const char* kAnotherAccountMeaning =
    ") : « Utilisateur courant » désigne le compte ";
inline constexpr const char* kAnotherAccountEnd = ".";
inline constexpr const char* kAnotherAccountTitle = "Ferrolis";

// Saving.
inline constexpr const char* kPasswordsDiffer = "Mot de passe incorrect !";
inline constexpr const char* kPasswordsDifferTitle = "Erreur";
inline constexpr const char* kNoAdministratorRights =
    "Vous n'avez pas les droits administrateur pour modifier cette section du regsitre !";
inline constexpr const char* kSaveErrorTitle = "Erreur de sauvegarde";
inline constexpr const char* kSaveTitle = "Enregistrer la configuration";
// The settings the registry refused: the first line, each setting after a
// bullet on its own line, and the last line.
inline constexpr const char* kRefusedSettings = "Windows a refusé d'enregistrer ces paramètres :";
inline constexpr const char* kRefusedBullet = "• ";
inline constexpr const char* kRefusedSettingsKept =
    "Ils sont restés tels qu'ils étaient. Les autres paramètres ont été enregistrés.";

// Closing.
inline constexpr const char* kRestartReminder =
    "Vous devez redémarrer le micro-ordinateur\r"
    "pour que les modifications soient prises en compte !";
inline constexpr const char* kSaveBeforeQuitQuestion =
    "Voulez vous enregistrer les modifications ?";
inline constexpr const char* kQuitTitle = "Quitter Ferrolis";

}  // namespace ferrolis::mainwindow::texts
