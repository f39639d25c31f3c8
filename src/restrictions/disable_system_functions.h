// IDBAS_DisableSystemFunctions: the twelve shell restrictions the main window
// offers, and reading and writing one of them in the current scope.
//
// A restriction is one Explorer policy value (row 2 has four) under
// Software\Microsoft\Windows\CurrentVersion\Policies\Explorer of the scope's
// root key. It is on when the value holds a non-zero number, off when the value
// is absent: switching on writes the DWORD 1, switching off deletes the value.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "registry/idbas_registry.h"

namespace ferrolis::restrictions {

struct ShellRestriction {
  std::int16_t Index;                      // also the index of the row's check box in IDCK_Disable
  std::string_view Caption;                // the check box's caption
  std::array<std::string_view, 4> Values;  // policy values in write order; unused slots empty
  int ScreenRow;                           // place in the column of check boxes, 1 at the top

  std::span<const std::string_view> ValueNames() const {
    std::size_t count = 0;
    while (count < Values.size() && !Values[count].empty()) ++count;
    return {Values.data(), count};
  }
};

// The catalogue, in index order.
inline constexpr std::array<ShellRestriction, 12> kShellRestrictions = {{
    {0, "Désactiver Le menu < Favoris >", {"NoFavoritesMenu"}, 2},
    {1, "Désactiver le menu < Documents >", {"NoRecentDocsMenu"}, 3},
    {2,
     "Désactiver le menu < Paramètres >",
     {"NoSetFolders", "NoSetActiveDesktop", "NoSetTaskbar", "NoFolderOptions"},
     4},
    {3, "Désactiver le bouton < Rechercher>", {"NoFind"}, 5},
    {4, "Désactiver le bouton < Exécuter>", {"NoRun"}, 6},
    {5, "Désactiver le menu < Nouvelle connexion >", {"NoLogoff"}, 7},
    {6, "Désactiver le menu <Arrêter>", {"NoClose"}, 8},
    {7, "Désactiver le voisinage réseau", {"NoNetHood"}, 9},
    {8, "Désactiver le Clic bouton-droit sur le bureau", {"NoViewContextMenu"}, 10},
    {9, "Désactiver les Icônes du bureau", {"NoDesktop"}, 11},
    {10, "Désactiver les menus < Programes communs >", {"NoCommonGroups"}, 1},
    {11, "Désactiver l'icône Internet Explorer", {"NoInternetIcon"}, 12},
}};

// The order in which the rows are read into the window and written back, the
// same both ways.
inline constexpr std::array<int, 12> kReadWriteOrder = {10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

// The policy key, as the three pieces the registry layer joins.
inline constexpr std::string_view kPolicyBasePath = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kPolicySubKey1 = "Policies";
inline constexpr std::string_view kPolicySubKey2 = "Explorer";

class IDBAS_DisableSystemFunctions {
 public:
  explicit IDBAS_DisableSystemFunctions(registry::IDBAS_Registry& registry) : registry_(registry) {}

  // True when the row's restriction is on in the scope PolicyRoot names. Row 2
  // looks at NoSetFolders alone. Reading writes nothing; an index outside
  // 0 to 11 reads as off.
  bool GetShellRestriction(int Index) const;
  // True when the policy value `ValueName` is on in the current scope, read
  // as the rows read their first value.
  bool GetPolicyValue(std::string_view ValueName) const;
  // Writes every value of the row into the current scope: the DWORD 1 for on,
  // deletion of the value (never of the key) for off. Returns false when the
  // registry refused any of them (a value already absent is no refusal); an
  // index outside 0 to 11 writes nothing and gives true.
  bool SetShellRestriction(int Index, bool On);

  // The root key of the current scope: HKEY_CURRENT_USER for the current user,
  // HKEY_LOCAL_MACHINE for all users. The scope selection assigns it before
  // the first read; reads and writes use whatever it holds when called.
  platform::RootKey PolicyRoot = platform::kHkeyCurrentUser;

 private:
  registry::IDBAS_Registry& registry_;
};

// The row's value names in write order, joined by ", ": what its check box
// tells the administrator it writes.
std::string ValueNamesText(const ShellRestriction& row);

// How a policy value's data reads: a number is on when it is not 0. A text is
// converted as a number: on when, blanks around it aside, it is wholly the text
// of a non-zero decimal number ("2", " 1", "-1", "0.5", "1E2"); off when that
// number is zero ("0", "0.0"). A text that is not a number at all ("1x",
// letters, the hexadecimal pairs of a binary value such as "01 00 00 00")
// reads as off. The program itself only ever writes the DWORD 1.
bool IsRestrictionOn(const registry::RegistryValue& value);

}  // namespace ferrolis::restrictions
