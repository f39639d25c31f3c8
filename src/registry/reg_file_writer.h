// The text of a "Windows Registry Editor Version 5.00" file, which Windows'
// registry editor (a double-click, `regedit /s file`) and `reg import` read:
// UTF-16LE with a byte order mark, CRLF line ends, each key in brackets under
// its root's full name, followed by its values and a blank line. The uninstall
// backups and the exported configuration are both written through it, so that
// they follow the same rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolis::registry {

class RegFileWriter {
 public:
  RegFileWriter();

  // Starts the section of the key `path` (below the root named `root_name`,
  // such as "HKEY_LOCAL_MACHINE"); the values that follow belong to it. False,
  // and nothing added, when the path holds a line break, which the format
  // cannot carry.
  bool Key(std::string_view root_name, std::string_view path);
  // A value of the current key, its exact type and bytes (text types in
  // UTF-16LE): REG_SZ as a quoted text when it is an ordinary one, REG_DWORD
  // as dword:, everything else as hex(type) bytes. An empty name is the key's
  // default value. False, and nothing added, when the name holds a line break.
  bool Value(std::string_view name, std::uint32_t type, const std::vector<std::uint8_t>& data);
  // A line that deletes the value of the current key when the file is
  // imported ("Name"=-); a value that is not there is no error. False, and
  // nothing added, when the name holds a line break.
  bool DeletedValue(std::string_view name);

  // The whole file as bytes.
  std::string Bytes() const;

 private:
  std::u16string text_;
  bool in_key_ = false;
};

}  // namespace ferrolis::registry
