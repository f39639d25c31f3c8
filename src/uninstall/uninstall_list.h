// The system's uninstall list: which of its entries the main window lists,
// in which order, and which entries a set of lines stands for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "registry/idbas_registry.h"
#include "uninstall/key_tree.h"

namespace ferrolis::uninstall {

// Where the entries live: one entry is one direct subkey of this key, in the
// 64-bit registry view and, on 64-bit Windows, in the 32-bit view too, where
// 32-bit programs register; Windows lists the programs of both.
inline constexpr platform::RootKey kUninstallRoot = platform::kHkeyLocalMachine;
inline constexpr const char* kUninstallRootName = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kUninstallPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// An entry is listed when it has a display name and at least one of an
// uninstall command and a version (values as the registry layer reads them:
// blank reads as empty, a number in its decimal form).
bool IsListed(std::string_view display_name, std::string_view uninstall_string,
              std::string_view version);

// The registry views that hold entries: 0 (the 64-bit view), then on 64-bit
// Windows platform::kKeyWow64_32Key.
std::vector<std::uint32_t> EntryViews(platform::Registry& registry);

// The lines of the list: the display name of every listed entry of every
// view, exactly as read. They are in alphabetical order without regard to
// case or accents ("éditeur" sorts with "Editeur", before "Explorateur"), then
// by exact text; equal lines keep the order of their entries in the registry,
// 64-bit view first. `registry` is the layer of the program's main window; the
// entries are read in every view of its platform registry.
std::vector<std::string> ListedDisplayNames(const registry::IDBAS_Registry& registry);

// The subkeys, with their views, of the entries whose display name equals one
// of `lines` exactly (case and blanks included), listed or not. One listing
// pass serves every line; the subkeys come in the order of the lines, then of
// the views and of the registry, each once.
std::vector<ViewedKey> SubkeysCarrying(const registry::IDBAS_Registry& registry,
                                       const std::vector<std::string>& lines);

// The "DisplayName" of one entry, read afresh; empty when it has none.
std::string DisplayNameOf(platform::Registry& registry, const ViewedKey& subkey);

}  // namespace ferrolis::uninstall
