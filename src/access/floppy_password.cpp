// The copy of the password on the floppy disk in drive A, and the messages
// that go with reading it.
#include <exception>
#include <string>

#include "access/access_texts.h"
#include "access/module1.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::access {

std::optional<std::string> Module1::ReadFloppyPassword() {
  const int answer =
      runtime_.MsgBox(texts::kInsertFloppyWithPassword, ui::kOkCancel, texts::kFloppyPasswordTitle);
  if (answer != ui::kResultOk) return std::nullopt;
  try {
    const std::string path = FloppyCopyPath();
    if (!FileExists(path)) {
      runtime_.MsgBox(texts::kPasswordFileNotFound, ui::kOkOnly + ui::kInformation,
                      texts::kPasswordNotFoundTitle);
      return std::nullopt;
    }
    return DecodePasswordFile(path);
  } catch (const std::exception&) {
    runtime_.MsgBox(texts::kFloppyReadFailed, ui::kOkOnly + ui::kExclamation, texts::kErrorTitle);
    return std::nullopt;
  }
}

}  // namespace ferrolis::access
