// What a save says about the automatic logon password and the Shell value.
// The lines of a message are separated by "\r", the line break of a message
// box (ui::kLineBreak).
#pragma once

namespace ferrolis::autologon::texts {

// Said once by a save that could only write the password in clear.
inline constexpr const char* kClearTextPasswordMessage =
    "Le mot de passe AutoLogin n'a pas pu être protégé : il est enregistré en clair dans le "
    "registre (DefaultPassword).";

// A Shell value left as it was although the field shows another text.
inline constexpr const char* kShellMessageTitle = "Exécuter Shell";
inline constexpr const char* kShellFieldBlank =
    "Le champ Exécuter Shell est vide : la valeur Shell n'a pas été modifiée.";
// Before the quoted text of the field, then one of the reasons after it.
inline constexpr const char* kShellNotChanged = "La valeur Shell n'a pas été modifiée : ";
inline constexpr const char* kShellNotSearched =
    " n'a pas pu être recherché (lecteur non prêt ou nom invalide).";
inline constexpr const char* kShellNoFile = " ne désigne aucun fichier existant.";
inline constexpr const char* kShellNotNormalFile =
    " ne désigne pas un fichier ordinaire (c'est un dossier, un fichier caché ou un fichier "
    "système).";
inline constexpr const char* kShellWildcard =
    " contient un caractère générique (* ou ?) : ce n'est pas le nom d'un fichier.";
inline constexpr const char* kShellFullPathHint =
    "Indiquez le chemin complet du programme, sans arguments.";
// The last line: what stays stored.
inline constexpr const char* kNoShellStored =
    "Aucune valeur Shell n'est enregistrée : Windows démarre son shell habituel.";
// Around the quoted stored value.
inline constexpr const char* kShellStoredBefore = "La valeur enregistrée reste ";
inline constexpr const char* kShellStoredAfter = ".";

// The main window's logon group and Shell field.
inline constexpr const char* kAutoLogonCheckBox = "Utiliser  AutoLogin";
inline constexpr const char* kShiftKeyNotice =
    "Pour désactiver la fonction AutoLogin maintenez la touche SHIFT appuyée lors du démarrage "
    "du micro.";
inline constexpr const char* kUserNameLabel = "Nom utilisateur";
inline constexpr const char* kUserPasswordLabel = "Mot de passe utilisateur";
inline constexpr const char* kConfirmPasswordLabel = "Confirmer le mot de passe";
inline constexpr const char* kDomainLabel = "Domaine";
inline constexpr const char* kShellLabel = "Exécuter Shell";

}  // namespace ferrolis::autologon::texts
