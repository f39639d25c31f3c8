#include "uninstall/uninstall_list.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/utf8.h"

namespace ferrolis::uninstall {
namespace {

// An entry's key is named as the listing gave it: "SL/Key" is the key of
// that name, not the subkey Key of SL.
std::string ReadText(const registry::IDBAS_Registry& registry, const std::string& subkey,
                     std::string_view value_name) {
  const std::vector<registry::RegistryValue> values =
      registry.GetSubkeyValues(kUninstallPath, subkey, {value_name}, {}, kUninstallRoot, false);
  return values.empty() ? std::string() : values.front().Text();
}

std::vector<std::string> EntrySubkeys(const registry::IDBAS_Registry& registry) {
  std::vector<std::string> names;
  std::vector<bool> unused;
  std::string path = kUninstallPath;
  registry.EnumRegistryKeys(names, unused, kUninstallRootName, path, false);
  return names;
}

// The layer of each view that holds entries.
std::vector<registry::IDBAS_Registry> ViewLayers(const registry::IDBAS_Registry& registry) {
  std::vector<registry::IDBAS_Registry> layers;
  for (const std::uint32_t view : EntryViews(registry.platform()))
    layers.emplace_back(registry.platform(), view);
  return layers;
}

// Lower case without accents for the letters of European names in Latin script.
void AppendFolded(std::u32string& out, char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') {
    out += cp - 'A' + 'a';
    return;
  }
  if (cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7) {
    // U+00C0 to U+00FF, upper and lower case folded together (0xE0 - 0xC0).
    static constexpr std::u32string_view kBase(U"aaaaaa\0ceeeeiiii\0nooooo\0ouuuuy\0\0", 32);
    const char32_t lower = cp >= 0xE0 ? cp - 0x20 : cp;
    const char32_t base = kBase[lower - 0xC0];
    if (lower == 0xC6) {
      out += U"ae";
    } else if (cp == 0xDF) {
      out += U"ss";
    } else if (cp == 0xFF) {
      out += U'y';
    } else if (base != 0) {
      out += base;
    } else {
      out += lower + 0x20;  // Ð, Þ: their lower-case letters
    }
    return;
  }
  if (cp == 0x152 || cp == 0x153) {
    out += U"oe";
    return;
  }
  if (cp >= 0x100 && cp <= 0x17F) {
    // Latin Extended-A (Central European names: Ł, Š, Ő...), by base letter.
    static constexpr std::string_view kBase =
        "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
        "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
    const char base = kBase[cp - 0x100];
    out += static_cast<char32_t>(base >= 'a' ? base : base - 'A' + 'a');
    return;
  }
  out += cp;
}

std::u32string SortKey(std::string_view text) {
  std::u32string key;
  key.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendFolded(key, platform::NextCodePoint(text, i));
  return key;
}

}  // namespace

std::vector<std::uint32_t> EntryViews(platform::Registry& registry) {
  if (registry.SixtyFourBitWindows()) return {0, platform::kKeyWow64_32Key};
  return {0};
}

bool IsListed(std::string_view display_name, std::string_view uninstall_string,
              std::string_view version) {
  return !display_name.empty() && (!uninstall_string.empty() || !version.empty());
}

std::vector<std::string> ListedDisplayNames(const registry::IDBAS_Registry& registry) {
  std::vector<std::string> lines;
  for (const registry::IDBAS_Registry& layer : ViewLayers(registry)) {
    for (const std::string& subkey : EntrySubkeys(layer)) {
      // One opening of the entry's key for its three values.
      const std::vector<registry::RegistryValue> values = layer.GetSubkeyValues(
          kUninstallPath, subkey, {"DisplayName", "UninstallString", "Version"}, {}, kUninstallRoot,
          false);
      if (values.size() < 3) continue;  // out of memory
      std::string display_name = values[0].Text();
      if (IsListed(display_name, values[1].Text(), values[2].Text()))
        lines.push_back(std::move(display_name));
    }
  }
  // Keys computed once per line rather than once per comparison.
  std::vector<std::pair<std::u32string, std::string>> keyed;
  keyed.reserve(lines.size());
  for (std::string& line : lines) keyed.emplace_back(SortKey(line), std::move(line));
  std::stable_sort(keyed.begin(), keyed.end());
  lines.clear();
  for (auto& [key, line] : keyed) lines.push_back(std::move(line));
  return lines;
}

std::string DisplayNameOf(platform::Registry& registry, const ViewedKey& subkey) {
  return ReadText(registry::IDBAS_Registry(registry, subkey.view), subkey.name, "DisplayName");
}

std::vector<ViewedKey> SubkeysCarrying(const registry::IDBAS_Registry& registry,
                                       const std::vector<std::string>& lines) {
  std::vector<ViewedKey> subkeys;
  if (lines.empty()) return subkeys;
  // Every entry's display name, read once, for all the lines of the click.
  std::map<std::string, std::vector<ViewedKey>> by_display_name;
  for (const registry::IDBAS_Registry& layer : ViewLayers(registry)) {
    for (std::string& subkey : EntrySubkeys(layer)) {
      std::string display_name = ReadText(layer, subkey, "DisplayName");
      if (!display_name.empty())
        by_display_name[std::move(display_name)].push_back({layer.view(), std::move(subkey)});
    }
  }
  std::set<ViewedKey> taken;
  for (const std::string& line : lines) {
    const auto found = by_display_name.find(line);
    if (found == by_display_name.end()) continue;
    for (const ViewedKey& subkey : found->second) {
      if (taken.insert(subkey).second) subkeys.push_back(subkey);
    }
  }
  return subkeys;
}

}  // namespace ferrolis::uninstall
