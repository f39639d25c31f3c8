// What the uninstall panel says when a deletion stops or is refused. The lines
// of a message are separated by "\r", the line break of a message box
// (ui::kLineBreak).
#pragma once

namespace ferrolis::uninstall::texts {

inline constexpr const char* kDeleteTitle = "Supprimer de la liste";

// The backup could not be made: around the quoted display name of an entry
// whose names the backup file cannot hold...
inline constexpr const char* kUnwritableEntryBefore = "L'entrée ";
inline constexpr const char* kUnwritableEntryAfter =
    " contient un nom de clé ou de valeur que le fichier de sauvegarde ne peut pas contenir (un "
    "saut de ligne, ou un caractère illisible).";
// ...or before the folder it could not be written into, on the next line.
inline constexpr const char* kBackupNotWritten =
    "La sauvegarde des entrées à supprimer n'a pas pu être écrite dans le dossier :";
inline constexpr const char* kNoLocalDataFolder = "(dossier des données locales introuvable)";
// The last line, after an empty one.
inline constexpr const char* kNothingDeleted = "Aucune entrée n'a été supprimée.";

// The registry refused deletions: the first line, the quoted entries one a
// line, then after an empty line where the backup is, on the next line.
inline constexpr const char* kDeletionsRefused =
    "Le registre a refusé de supprimer ces entrées, qui restent dans la liste :";
inline constexpr const char* kBackupIsIn =
    "La sauvegarde faite avant la suppression se trouve dans :";

// The panel's captions.
inline constexpr const char* kListLabel =
    "Ajouter / Supprimer de la liste les informations de désinstallation";
inline constexpr const char* kRefreshButton = "Rafraîchir";
inline constexpr const char* kDeleteButton = "Supprimer de la liste";

}  // namespace ferrolis::uninstall::texts
