// The copy of the password on the floppy disk in drive A, and the messages
// that go with reading it.
#include <exception>
#include <string>

#include "access/module1.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::access {

std::optional<std::string> Module1::ReadFloppyPassword() {
  const int answer = runtime_.MsgBox(
      "Insérer une disquette formatée dans le lecteur A avec le fichier mot de passe !",
      ui::kOkCancel, "Mot de passe sur disquette");
  if (answer != ui::kResultOk) return std::nullopt;
  try {
    const std::string path = FloppyCopyPath();
    if (!FileExists(path)) {
      runtime_.MsgBox("Fichier mot de passe non trouvé !", ui::kOkOnly + ui::kInformation,
                      "Mot de passe non trouvé");
      return std::nullopt;
    }
    return DecodePasswordFile(path);
  } catch (const std::exception&) {
    runtime_.MsgBox(
        "Disquette non formatée - Erreur sur la disquette ou Fichier mot de passe non trouvé !",
        ui::kOkOnly + ui::kExclamation, "Erreur");
    return std::nullopt;
  }
}

}  // namespace ferrolis::access
