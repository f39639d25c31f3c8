// Key trees as a file that Windows' registry editor imports: a double-click on
// it, or `regedit /s file`, writes every key and value back as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "uninstall/key_tree.h"

namespace ferrolis::uninstall {

// The bytes of a "Windows Registry Editor Version 5.00" file: UTF-16LE with a
// byte order mark, CRLF line ends, each tree key by key with parents before
// their subkeys, under the root named `root_name`. Values keep their exact
// type and bytes: REG_SZ as a quoted text when it is an ordinary one, REG_DWORD
// as dword:, everything else as hex(type) bytes. Nothing when a key or value
// name holds a line break, which the format cannot carry.
std::optional<std::string> RegFileBytes(std::string_view root_name,
                                        const std::vector<KeyTree>& trees);

// Whether a key or value name of the tree holds a line break, so that the
// file cannot carry the tree.
bool HoldsNameWithLineBreak(const KeyTree& tree);

}  // namespace ferrolis::uninstall
