// Key trees as a file that Windows' registry editor imports: a double-click on
// it, or `regedit /s file`, writes every key and value back as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "uninstall/key_tree.h"

namespace ferrolis::uninstall {

// The bytes of a "Windows Registry Editor Version 5.00" file, written by the
// registry layer's RegFileWriter: each tree key by key with parents before
// their subkeys, under the root named `root_name`, every value with its exact
// type and bytes. Nothing when a key or value name holds a line break, which
// the format cannot carry.
std::optional<std::string> RegFileBytes(std::string_view root_name,
                                        const std::vector<KeyTree>& trees);

// Whether a key or value name of the tree holds a line break, so that the
// file cannot carry the tree.
bool HoldsNameWithLineBreak(const KeyTree& tree);

}  // namespace ferrolis::uninstall
