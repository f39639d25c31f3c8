// What the About window, its details box and the system information say.
#pragma once

namespace ferrolis::about::texts {

// The window. Its caption becomes kTitleBefore and the program's title once
// loaded, and the version label kVersionBefore and the version.
inline constexpr const char* kWindowCaption = "A propos de Ferrolis";
inline constexpr const char* kTitleBefore = "A propos ";
inline constexpr const char* kProgramName = "Ferrolis";
inline constexpr const char* kVersionCaption = "Version";
inline constexpr const char* kVersionBefore = "Version ";
inline constexpr const char* kAuthorNotice =
    "Ferrolis est conçu et maintenu par l'équipe Ferrolis.";
// Before the maker's web and e-mail addresses, on the window and in the
// details box.
inline constexpr const char* kWebAddressBefore = "URL : ";
inline constexpr const char* kEmailAddressBefore = "E-Mail : ";
inline constexpr const char* kWebSiteTip = "Visitez le site officiel de Ferrolis";
inline constexpr const char* kSendMailTip = "Envoyer un courriel";
inline constexpr const char* kDonateTip =
    "Faire un don avec PayPal - Un solution gratuite, rapide et sécurisée.";
inline constexpr const char* kOkButton = "OK";
inline constexpr const char* kSystemInfoButton = "&Système Info...";
inline constexpr const char* kSystemInfoTip = "Informations système";
inline constexpr const char* kDetailsButton = "Détails...";

// The details box: its first line around the version.
inline constexpr const char* kDetailsTitle = "A propos";
inline constexpr const char* kDetailsVersionBefore = "Ferrolis v";
inline constexpr const char* kDetailsVersionAfter =
    " - Protection sous Windows 2000 Pro - XP et NT";

inline constexpr const char* kSystemInfoNotFound = "Information Systeme introuvable !";
inline constexpr const char* kWindowsVersionUnreadable =
    "Erreur de lecture des informations de Version Windows !";

// The line of the shell's About box, before the version.
inline constexpr const char* kShellAboutBefore = "Équipe Ferrolis, déc. 2026 - version ";

// The main window's menu.
inline constexpr const char* kAboutMenu = "A Propos";
inline constexpr const char* kSystemInformationMenuItem = "Information système";
inline constexpr const char* kAuthorMenuItem = "Auteur";

}  // namespace ferrolis::about::texts
