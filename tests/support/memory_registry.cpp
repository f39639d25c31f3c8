#include "support/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "platform/text_codec.h"

namespace ferrolis::testing {
namespace {

constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorBadPathname = 161;
constexpr long kErrorKeyDeleted = 1018;
constexpr long kErrorNoUnicodeTranslation = platform::kErrorNoUnicodeTranslation;

constexpr std::uint32_t kKeyQueryValue = 0x1;
constexpr std::uint32_t kKeySetValue = 0x2;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x8;
constexpr std::uint32_t kKeyAllRights = 0xF003F;

// Everything that lets a handle change a key or its security.
constexpr std::uint32_t kWritingRights = 0x2 /*set value*/ | 0x4 /*create subkey*/ |
                                         0x20 /*create link*/ | 0x10000 /*delete*/ |
                                         0x40000 /*write DAC*/ | 0x80000 /*write owner*/;

constexpr std::size_t kMaxKeyName = 255;

// Generic rights as the registry maps them to key rights.
std::uint32_t MapGeneric(std::uint32_t access) {
  std::uint32_t mapped = access & 0x00FFFFFFu;
  if (access & 0x80000000u) mapped |= platform::kKeyRead;  // GENERIC_READ
  if (access & 0x40000000u) mapped |= 0x20006u;            // GENERIC_WRITE = KEY_WRITE
  if (access & 0x20000000u) mapped |= 0x20019u;            // GENERIC_EXECUTE = KEY_EXECUTE
  if (access & 0x10000000u) mapped |= kKeyAllRights;       // GENERIC_ALL
  if (access & 0x02000000u) mapped |= kKeyAllRights;       // MAXIMUM_ALLOWED
  return mapped;
}

// Upper case for comparisons: ASCII letters and the Latin-1 letters of UTF-8
// (U+00E0 to U+00FE but U+00F7).
std::string Folded(std::string_view name) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'a' && c <= 'z') {
      out[i] = static_cast<char>(c - 'a' + 'A');
    } else if (c == 0xC3 && i + 1 < out.size()) {
      const auto next = static_cast<unsigned char>(out[i + 1]);
      if (next >= 0xA0 && next <= 0xBE && next != 0xB7) out[i + 1] = static_cast<char>(next - 0x20);
      ++i;
    }
  }
  return out;
}

bool IsTextType(std::uint32_t type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz ||
         type == platform::kRegMultiSz;
}

// Well-formed UTF-8: no stray continuation byte, no overlong form, no
// surrogate, nothing above U+10FFFF. Each of these comes back changed from a
// trip through UTF-16.
bool IsUtf8(std::string_view text) {
  return platform::Utf16ToUtf8(platform::Utf8ToUtf16(text)) == text;
}

long SplitPath(std::string_view path, std::vector<std::string>* parts) {
  if (!IsUtf8(path)) return kErrorNoUnicodeTranslation;
  if (!path.empty() && path.front() == '\\') return kErrorBadPathname;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      const std::string_view part = path.substr(start, end - start);
      if (platform::CharacterCount(part) > kMaxKeyName) return kErrorInvalidParameter;
      parts->emplace_back(part);
    }
    start = end + 1;
  }
  return platform::kErrorSuccess;
}

}  // namespace

struct MemoryRegistry::Node {
  std::string name;
  std::string folded;
  Node* parent = nullptr;
  bool deleted = false;
  std::vector<std::shared_ptr<Node>> children;  // sorted by `folded`
  std::vector<std::pair<std::string, RawValue>> values;

  std::vector<std::shared_ptr<Node>>::iterator LowerBound(const std::string& key) {
    return std::lower_bound(
        children.begin(), children.end(), key,
        [](const std::shared_ptr<Node>& child, const std::string& k) { return child->folded < k; });
  }
  std::shared_ptr<Node> Child(std::string_view name) {
    const std::string key = Folded(name);
    const auto it = LowerBound(key);
    return (it != children.end() && (*it)->folded == key) ? *it : nullptr;
  }
  std::shared_ptr<Node> AddChild(std::string_view name) {
    auto child = std::make_shared<Node>();
    child->name = std::string(name);
    child->folded = Folded(name);
    child->parent = this;
    children.insert(LowerBound(child->folded), child);
    return child;
  }
  std::pair<std::string, RawValue>* FindValue(std::string_view name) {
    const std::string key = Folded(name);
    for (auto& entry : values) {
      if (Folded(entry.first) == key) return &entry;
    }
    return nullptr;
  }
  std::string Path() const {
    std::string path;
    for (const Node* n = this; n && n->parent; n = n->parent) {
      path = path.empty() ? n->name : n->name + "\\" + path;
    }
    return path;
  }
};

MemoryRegistry::MemoryRegistry() {
  for (const platform::RootKey root :
       {platform::kHkeyClassesRoot, platform::kHkeyCurrentUser, platform::kHkeyLocalMachine,
        platform::kHkeyUsers, platform::kHkeyCurrentConfig}) {
    roots_[root] = std::make_shared<Node>();
  }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Root(platform::RootKey root) const {
  const auto it = roots_.find(root);
  return it == roots_.end() ? nullptr : it->second.get();
}

long MemoryRegistry::Find(platform::RootKey root, std::string_view path,
                          std::shared_ptr<Node>* found) const {
  const auto it = roots_.find(root);
  if (it == roots_.end()) return platform::kErrorInvalidHandle;
  std::vector<std::string> parts;
  if (const long error = SplitPath(path, &parts)) return error;
  std::shared_ptr<Node> node = it->second;
  for (const std::string& part : parts) {
    node = node->Child(part);
    if (!node) return platform::kErrorFileNotFound;
  }
  *found = node;
  return platform::kErrorSuccess;
}

std::string MemoryRegistry::InView(platform::RootKey root, const std::string& path,
                                   std::uint32_t access) const {
  return platform::EditorPath(sixty_four_bit_windows_, access, root, path);
}

long MemoryRegistry::Resolve(platform::KeyHandle key, std::uint32_t right, Handle** handle) {
  const auto it = handles_.find(key);
  if (it == handles_.end()) return platform::kErrorInvalidHandle;
  if (it->second.node->deleted) return kErrorKeyDeleted;
  if ((it->second.access & right) != right) return platform::kErrorAccessDenied;
  *handle = &it->second;
  return platform::kErrorSuccess;
}

platform::KeyHandle MemoryRegistry::AddHandle(std::shared_ptr<Node> node, platform::RootKey root,
                                              std::uint32_t access) {
  const platform::KeyHandle key = next_handle_;
  next_handle_ += 4;
  handles_[key] = Handle{std::move(node), root, MapGeneric(access)};
  return key;
}

long MemoryRegistry::Record(std::string op, std::string path, std::string name,
                            std::uint32_t access, long result) {
  if (recording_)
    calls_.push_back({std::move(op), std::move(path), std::move(name), access, result});
  return result;
}

bool MemoryRegistry::MayWrite(platform::RootKey root) const {
  return administrator_ || root != platform::kHkeyLocalMachine;
}

bool MemoryRegistry::MayWrite(platform::RootKey root, const Node& node,
                              std::string_view value) const {
  const std::string path = Folded(node.Path());
  return MayWrite(root) && std::none_of(protected_.begin(), protected_.end(), [&](const auto& p) {
           const std::string key = Folded(p.path);
           if (p.root != root) return false;
           if (!p.name.empty()) return path == key && Folded(value) == Folded(p.name);
           return path.starts_with(key) && (path.size() == key.size() || path[key.size()] == '\\');
         });
}

long MemoryRegistry::OpenKey(platform::RootKey root, const std::string& path, std::uint32_t access,
                             platform::KeyHandle* key) {
  *key = 0;
  std::shared_ptr<Node> node;
  long result = Find(root, InView(root, path, access), &node);
  if (result == platform::kErrorSuccess && !MayWrite(root, *node) &&
      (MapGeneric(access) & kWritingRights)) {
    result = platform::kErrorAccessDenied;
  }
  if (result == platform::kErrorSuccess) *key = AddHandle(node, root, access);
  return Record("OpenKey", path, {}, access, result);
}

long MemoryRegistry::CreateKey(platform::RootKey root, const std::string& path,
                               std::uint32_t access, platform::KeyHandle* key) {
  *key = 0;
  Node* node = Root(root);
  if (!node) return Record("CreateKey", path, {}, access, platform::kErrorInvalidHandle);
  std::vector<std::string> parts;
  if (const long error = SplitPath(InView(root, path, access), &parts))
    return Record("CreateKey", path, {}, access, error);

  std::shared_ptr<Node> current = roots_[root];
  for (const std::string& part : parts) {
    std::shared_ptr<Node> next = current->Child(part);
    if (!next) {
      if (!MayWrite(root, *current))
        return Record("CreateKey", path, {}, access, platform::kErrorAccessDenied);
      next = current->AddChild(part);
    }
    current = next;
  }
  if (!MayWrite(root, *current) && (MapGeneric(access) & kWritingRights)) {
    return Record("CreateKey", path, {}, access, platform::kErrorAccessDenied);
  }
  *key = AddHandle(current, root, access);
  return Record("CreateKey", path, {}, access, platform::kErrorSuccess);
}

long MemoryRegistry::QueryValue(platform::KeyHandle key, const std::string& name,
                                std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
  Handle* handle = nullptr;
  long result = Resolve(key, kKeyQueryValue, &handle);
  std::string where = (recording_ && handle) ? handle->node->Path() : std::string();
  if (result == platform::kErrorSuccess && !IsUtf8(name)) result = kErrorNoUnicodeTranslation;
  if (result == platform::kErrorSuccess) {
    const auto* entry = handle->node->FindValue(name);
    if (!entry) {
      result = platform::kErrorFileNotFound;
    } else {
      const RawValue& value = entry->second;
      const auto stored = static_cast<std::uint32_t>(value.data.size());
      if (type) *type = value.type;
      if (data && !size) {
        result = kErrorInvalidParameter;
      } else if (data && *size < stored) {
        result = platform::kErrorMoreData;
      } else if (data && stored > 0) {
        std::memcpy(data, value.data.data(), stored);
      }
      if (size) *size = stored;
    }
  }
  return Record("QueryValue", std::move(where), name, 0, result);
}

long MemoryRegistry::SetValue(platform::KeyHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  Handle* handle = nullptr;
  long result = Resolve(key, kKeySetValue, &handle);
  std::string where = (recording_ && handle) ? handle->node->Path() : std::string();
  const std::string_view text(reinterpret_cast<const char*>(data), data ? size : 0);
  if (result == platform::kErrorSuccess && (!IsUtf8(name) || (IsTextType(type) && !IsUtf8(text)))) {
    result = kErrorNoUnicodeTranslation;
  }
  if (result == platform::kErrorSuccess && !MayWrite(handle->root, *handle->node, name)) {
    result = platform::kErrorAccessDenied;
  }
  if (result == platform::kErrorSuccess) {
    RawValue value{type, std::vector<std::uint8_t>(data, data + (data ? size : 0))};
    if (auto* entry = handle->node->FindValue(name)) {
      entry->second = std::move(value);
    } else {
      handle->node->values.emplace_back(name, std::move(value));
    }
  }
  return Record("SetValue", std::move(where), name, 0, result);
}

long MemoryRegistry::DeleteValue(platform::KeyHandle key, const std::string& name) {
  Handle* handle = nullptr;
  long result = Resolve(key, kKeySetValue, &handle);
  std::string where = (recording_ && handle) ? handle->node->Path() : std::string();
  if (result == platform::kErrorSuccess && !IsUtf8(name)) result = kErrorNoUnicodeTranslation;
  if (result == platform::kErrorSuccess && !MayWrite(handle->root, *handle->node, name)) {
    result = platform::kErrorAccessDenied;
  }
  if (result == platform::kErrorSuccess) {
    auto& values = handle->node->values;
    const std::string folded = Folded(name);
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const auto& entry) { return Folded(entry.first) == folded; });
    if (it == values.end()) {
      result = platform::kErrorFileNotFound;
    } else {
      values.erase(it);
    }
  }
  return Record("DeleteValue", std::move(where), name, 0, result);
}

long MemoryRegistry::DeleteKey(platform::RootKey root, const std::string& path,
                               std::uint32_t view) {
  std::shared_ptr<Node> node;
  long result = Find(root, InView(root, path, view), &node);
  if (result == platform::kErrorSuccess) {
    if (!node->parent || !node->children.empty() || !MayWrite(root, *node)) {
      result = platform::kErrorAccessDenied;
    } else {
      auto& siblings = node->parent->children;
      siblings.erase(std::find(siblings.begin(), siblings.end(), node));
      node->deleted = true;
      node->parent = nullptr;
    }
  }
  return Record("DeleteKey", path, {}, view, result);
}

long MemoryRegistry::EnumKey(platform::KeyHandle key, std::uint32_t index, char* buffer,
                             std::uint32_t size) {
  Handle* handle = nullptr;
  long result = Resolve(key, kKeyEnumerateSubKeys, &handle);
  std::string where = (recording_ && handle) ? handle->node->Path() : std::string();
  if (result == platform::kErrorSuccess) {
    const auto& children = handle->node->children;
    if (index >= children.size()) {
      result = platform::kErrorNoMoreItems;
    } else {
      const std::string& name = children[index]->name;
      if (name.size() + 1 > size) {
        result = platform::kErrorMoreData;
      } else {
        std::memcpy(buffer, name.c_str(), name.size() + 1);
      }
    }
  }
  return Record("EnumKey", std::move(where), {}, index, result);
}

long MemoryRegistry::CloseKey(platform::KeyHandle key) {
  const auto it = handles_.find(key);
  std::string where;
  long result = platform::kErrorInvalidHandle;
  if (it != handles_.end()) {
    if (recording_) where = it->second.node->Path();
    handles_.erase(it);
    result = platform::kErrorSuccess;
  }
  return Record("CloseKey", std::move(where), {}, 0, result);
}

long MemoryRegistry::EnumKeyWide(platform::KeyHandle key, std::uint32_t index, std::string* name) {
  Handle* handle = nullptr;
  long result = Resolve(key, kKeyEnumerateSubKeys, &handle);
  std::string where = (recording_ && handle) ? handle->node->Path() : std::string();
  if (result == platform::kErrorSuccess) {
    const auto& children = handle->node->children;
    if (index >= children.size()) {
      result = platform::kErrorNoMoreItems;
    } else {
      *name = children[index]->name;
    }
  }
  return Record("EnumKeyWide", std::move(where), {}, index, result);
}

long MemoryRegistry::EnumValueWide(platform::KeyHandle key, std::uint32_t index, std::string* name,
                                   std::uint32_t* type, std::vector<std::uint8_t>* data) {
  Handle* handle = nullptr;
  long result = Resolve(key, kKeyQueryValue, &handle);
  std::string where = (recording_ && handle) ? handle->node->Path() : std::string();
  if (result == platform::kErrorSuccess) {
    const auto& values = handle->node->values;
    if (index >= values.size()) {
      result = platform::kErrorNoMoreItems;
    } else {
      const auto& [value_name, value] = values[index];
      *name = value_name;
      *type = value.type;
      if (IsTextType(value.type)) {
        const std::u16string wide = platform::Utf8ToUtf16(
            std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
        data->clear();
        for (const char16_t unit : wide) {
          data->push_back(static_cast<std::uint8_t>(unit & 0xFF));
          data->push_back(static_cast<std::uint8_t>(unit >> 8));
        }
      } else {
        *data = value.data;
      }
    }
  }
  return Record("EnumValueWide", std::move(where), {}, index, result);
}

void MemoryRegistry::SeedKey(platform::RootKey root, std::string_view path) {
  std::vector<std::string> parts;
  SplitPath(path, &parts);
  Node* node = Root(root);
  if (!node) return;
  for (const std::string& part : parts) {
    std::shared_ptr<Node> next = node->Child(part);
    if (!next) next = node->AddChild(part);
    node = next.get();
  }
}

void MemoryRegistry::SeedValue(platform::RootKey root, std::string_view path, std::string_view name,
                               std::uint32_t type, std::vector<std::uint8_t> data) {
  SeedKey(root, path);
  std::shared_ptr<Node> node;
  if (Find(root, path, &node) != platform::kErrorSuccess) return;
  RawValue value{type, std::move(data)};
  if (auto* entry = node->FindValue(name)) {
    entry->second = std::move(value);
  } else {
    node->values.emplace_back(std::string(name), std::move(value));
  }
}

bool MemoryRegistry::KeyExists(platform::RootKey root, std::string_view path) const {
  std::shared_ptr<Node> node;
  return Find(root, path, &node) == platform::kErrorSuccess;
}

std::optional<RawValue> MemoryRegistry::Value(platform::RootKey root, std::string_view path,
                                              std::string_view name) const {
  std::shared_ptr<Node> node;
  if (Find(root, path, &node) != platform::kErrorSuccess) return std::nullopt;
  const auto* entry = node->FindValue(name);
  if (!entry) return std::nullopt;
  return entry->second;
}

std::vector<std::string> MemoryRegistry::SubkeyNames(platform::RootKey root,
                                                     std::string_view path) const {
  std::vector<std::string> names;
  std::shared_ptr<Node> node;
  if (Find(root, path, &node) == platform::kErrorSuccess) {
    for (const auto& child : node->children) names.push_back(child->name);
  }
  return names;
}

std::vector<std::string> MemoryRegistry::ValueNames(platform::RootKey root,
                                                    std::string_view path) const {
  std::vector<std::string> names;
  std::shared_ptr<Node> node;
  if (Find(root, path, &node) == platform::kErrorSuccess) {
    for (const auto& entry : node->values) names.push_back(entry.first);
  }
  return names;
}

}  // namespace ferrolis::testing
