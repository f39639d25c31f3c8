// IDBAS_DisableSystemFunctions: the shell restrictions the main window offers, and reading and
// writing one of them in the current scope.
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

// The catalogue, in index order. The main window's check boxes, the rows of its
// frame and their tab order follow from it: a new row is one line here and its
// place in kReadWriteOrder.
inline constexpr auto kShellRestrictions = std::to_array<ShellRestriction>({
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
});

// The order in which the rows are read into the window and written back, the
// same both ways.
inline constexpr auto kReadWriteOrder = std::to_array({10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9});

// True when `order` holds each of first, first + 1, ... once, one per row of
// the catalogue.
template <std::size_t N>
constexpr bool CoversEachRowOnce(const std::array<int, N>& order, int first) {
  if (N != kShellRestrictions.size()) return false;
  std::array<bool, N> seen{};
  for (const int n : order) {
    if (n < first || n - first >= static_cast<int>(N)) return false;
    if (seen[static_cast<std::size_t>(n - first)]) return false;
    seen[static_cast<std::size_t>(n - first)] = true;
  }
  return true;
}

constexpr std::array<int, kShellRestrictions.size()> ScreenRows() {
  std::array<int, kShellRestrictions.size()> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = kShellRestrictions[i].ScreenRow;
  return rows;
}

// Each row sits at its own index and writes at least one value.
constexpr bool RowsAreWellFormed() {
  for (std::size_t i = 0; i < kShellRestrictions.size(); ++i) {
    const ShellRestriction& row = kShellRestrictions[i];
    if (row.Index != static_cast<int>(i) || row.Values.front().empty()) return false;
  }
  return true;
}

static_assert(CoversEachRowOnce(kReadWriteOrder, 0),
              "kReadWriteOrder must name each row of kShellRestrictions exactly once");
static_assert(CoversEachRowOnce(ScreenRows(), 1),
              "the ScreenRow values must be 1 to the number of rows, each once");
static_assert(RowsAreWellFormed(),
              "each row of kShellRestrictions must hold its own index and at least one value");

// The policy key, as the three pieces the registry layer joins.
inline constexpr std::string_view kPolicyBasePath = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kPolicySubKey1 = "Policies";
inline constexpr std::string_view kPolicySubKey2 = "Explorer";

class IDBAS_DisableSystemFunctions {
 public:
  explicit IDBAS_DisableSystemFunctions(registry::IDBAS_Registry& registry) : registry_(registry) {}

  // True when the row's restriction is on in the scope PolicyRoot names. Row 2
  // looks at NoSetFolders alone. Reading writes nothing; an index outside
  // the catalogue reads as off.
  bool GetShellRestriction(int Index) const;
  // True when the policy value `ValueName` is on in the current scope, read
  // as the rows read their first value.
  bool GetPolicyValue(std::string_view ValueName) const;
  // Writes every value of the row into the current scope: the DWORD 1 for on,
  // deletion of the value (never of the key) for off. Returns false when the
  // registry refused any of them (a value already absent is no refusal); an
  // index outside the catalogue writes nothing and gives true.
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
