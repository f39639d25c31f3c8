// What the export says: its titles, its question before saving, and the
// pieces of its messages around the folder and file names. The lines of a
// message are separated by "\r", the line break of a message box
// (ui::kLineBreak); "\r\r" leaves an empty line.
#pragma once

namespace ferrolis::exporting::texts {

inline constexpr const char* kExportTitle = "Exporter la configuration";
inline constexpr const char* kSaveFirstQuestion = "Enregistrer les modifications avant l'export ?";
inline constexpr const char* kFolderDialogTitle = "Choisir le dossier où exporter la configuration";

// Before each name of a list, on its own line.
inline constexpr const char* kBullet = "\r• ";
// After a quoted folder, before its list of files.
inline constexpr const char* kListFollows = " :";

// Files of the export already in the folder: before the quoted folder, and
// after the list.
inline constexpr const char* kExistingFilesBefore = "Ces fichiers existent déjà dans ";
inline constexpr const char* kReplaceQuestion =
    "\r\rLes remplacer par la configuration de ce poste ?";

// A file that could not be written: before and after its quoted path, the
// system's error code when there is one, then what became of the export and
// before the files already written.
inline constexpr const char* kFailedFileBefore = "Le fichier ";
inline constexpr const char* kFailedFileAfter = " n'a pas pu être écrit";
inline constexpr const char* kWindowsErrorBefore = " (erreur Windows ";
inline constexpr const char* kWindowsErrorAfter = ")";
inline constexpr const char* kExportStopped =
    " : il est resté tel qu'il était, et l'export s'est arrêté là.";
inline constexpr const char* kAlreadyWritten = "\r\rFichiers déjà écrits :";

// The export done: before the quoted folder, then after the files written,
// how to apply them (one way a line) and what is not exported.
inline constexpr const char* kExportedBefore = "La configuration a été exportée dans ";
inline constexpr const char* kHowToApplyFollows = "\r\rPour l'appliquer à d'autres postes :";
inline constexpr const char* kHowToApply[] = {
    "LGPO.exe /m Machine\\Registry.pol /u User\\Registry.pol",
    "reg import Ferrolis.reg",
    "ou les dossiers Machine et User d'une GPO",
};
inline constexpr const char* kLogonNotExported =
    "\r\rLa connexion automatique n'est pas exportée : un mot de passe ne doit pas voyager dans un "
    "fichier, et une connexion automatique sans son mot de passe ne fonctionne pas.";

// The main window's menu.
inline constexpr const char* kFileMenu = "&Fichier";
inline constexpr const char* kExportMenuItem = "&Exporter la configuration...";

}  // namespace ferrolis::exporting::texts
