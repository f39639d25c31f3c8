// What the access gate and the password frame of the main window say: the
// gate's captions, its message boxes and those of the password frame and of
// the floppy copy. The lines of a message are separated by "\r", the line
// break of a message box (ui::kLineBreak).
#pragma once

namespace ferrolis::access::texts {

// The gate.
inline constexpr const char* kGateCaption = "Mot de Passe";
inline constexpr const char* kGatePrompt = "Entrez le mot de passe";
inline constexpr const char* kOkButton = "&OK";
inline constexpr const char* kCancelButton = "&Annuler";
inline constexpr const char* kReadFromFloppyTip = "Lire le mot de passe à partir d'une disquette";

inline constexpr const char* kAlreadyRunning = "Ferrolis est déjà en cours d'utilisation !";
inline constexpr const char* kAlreadyRunningTitle = "Gardelis";
inline constexpr const char* kFirstUse =
    "Premier lancement de Ferrolis ! \r"
    "Vous devez définir un mot de passe pour protéger son accès.\r"
    "Le mot de passe à défaut est vide.";
inline constexpr const char* kFirstUseTitle = "Première utilisation de Ferrolis";
inline constexpr const char* kDamagedPasswordFile =
    "Le fichier mot de passe de Ferrolis est endommagé ou illisible !\r"
    "Ferrolis ne peut pas vérifier le mot de passe et va se fermer.";
inline constexpr const char* kSorryWrongPassword = "Désolé - Ce n'est pas le bon mot de passe !";
inline constexpr const char* kWrongPasswordTitle = "Mauvais mot de passe";
inline constexpr const char* kErrorTitle = "Erreur";

// The floppy copy, read.
inline constexpr const char* kInsertFloppyWithPassword =
    "Insérer une disquette formatée dans le lecteur A avec le fichier mot de passe !";
inline constexpr const char* kFloppyPasswordTitle = "Mot de passe sur disquette";
inline constexpr const char* kPasswordFileNotFound = "Fichier mot de passe non trouvé !";
inline constexpr const char* kPasswordNotFoundTitle = "Mot de passe non trouvé";
inline constexpr const char* kFloppyReadFailed =
    "Disquette non formatée - Erreur sur la disquette ou Fichier mot de passe non trouvé !";

// The password frame of the main window.
inline constexpr const char* kWrongPassword = "Ce n'est pas le bon mot de passe !";
inline constexpr const char* kSystemCopyNotWritten =
    "Impossible d'écrire le fichier mot de passe dans le répertoire système !\r"
    "Le mot de passe n'a pas été modifié.";
inline constexpr const char* kPasswordNotChangedTitle = "Mot de passe non modifié";
// Around the quoted character that the password file cannot hold.
inline constexpr const char* kUnstorableCharacterBefore = "Le caractère ";
inline constexpr const char* kUnstorableCharacterAfter =
    " ne peut pas être enregistré dans le fichier mot de passe !\r"
    "Choisissez un mot de passe sans ce caractère.\r"
    "Le mot de passe n'a pas été modifié.";
inline constexpr const char* kPasswordRefusedTitle = "Mot de passe refusé";
inline constexpr const char* kInsertFloppy = "Insérer une disquette formatée dans le lecteur A !";
inline constexpr const char* kFloppySaveTitle = "Sauvegarde du mot de passe sur disquette";
inline constexpr const char* kFloppyWriteFailed =
    "Disquette non formatée ou erreur sur la disquette !";

// The password frame's captions and tips.
inline constexpr const char* kPasswordFrameCaption = "Mot de passe d'accès à Ferrolis";
inline constexpr const char* kOldPasswordLabel = "Ancien mot de passe :";
inline constexpr const char* kNewPasswordLabel = "Nouveau mot de passe :";
inline constexpr const char* kValidateButton = "Valider";
inline constexpr const char* kValidateAndSaveButton = "Valider && Enregistrer";
inline constexpr const char* kValidateAndSaveTip = "Valide le nouveau mot de pase";
inline constexpr const char* kReadFromFloppyATip =
    "Lire le mot de passe à partir d'une disquette A";
inline constexpr const char* kSaveToFloppyTip = "Enregistrer le mot de passe sur disquette";

}  // namespace ferrolis::access::texts
