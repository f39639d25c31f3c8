#include "export/configuration_export.h"

#include "export/export_texts.h"
#include "export/policy_file.h"
#include "registry/reg_file_writer.h"
#include "restrictions/disable_system_functions.h"
#include "ui/msgbox.h"

namespace ferrolis::exporting {
namespace {

constexpr const char* kMachinePolicyFile = "Machine\\Registry.pol";
constexpr const char* kUserPolicyFile = "User\\Registry.pol";
constexpr const char* kRegFile = "Ferrolis.reg";

std::string PolicyKey() {
  return registry::IDBAS_Registry::BuildKeyPath(
      restrictions::kPolicyBasePath, restrictions::kPolicySubKey1, restrictions::kPolicySubKey2);
}

std::string WinlogonKey() {
  return registry::IDBAS_Registry::BuildKeyPath(autologon::kShellBasePath, "",
                                                autologon::kShellSubKey2);
}

// Every policy value of the catalogue, in its order, as stored under `root`.
void ReadPolicyValues(registry::IDBAS_Registry& registry, platform::RootKey root,
                      std::vector<ExportedValue>& out) {
  restrictions::IDBAS_DisableSystemFunctions policies(registry);
  policies.PolicyRoot = root;
  const std::string key = PolicyKey();
  for (const restrictions::ShellRestriction& row : restrictions::kShellRestrictions) {
    for (const std::string_view name : row.ValueNames()) {
      const bool on = policies.GetPolicyValue(name);
      out.push_back({root, key, std::string(name), !on, on ? platform::kRegDword : 0u,
                     on ? std::vector<std::uint8_t>{1, 0, 0, 0} : std::vector<std::uint8_t>{}});
    }
  }
}

ExportedValue WinlogonText(std::string_view name, std::string_view text) {
  return {platform::kHkeyLocalMachine,
          WinlogonKey(),
          std::string(name),
          false,
          platform::kRegSz,
          TextData(text)};
}

std::string PolicyFileOf(const std::vector<ExportedValue>& values, platform::RootKey root) {
  std::vector<PolicyRecord> records;
  for (const ExportedValue& value : values) {
    if (value.root != root) continue;
    records.push_back(value.deleted ? DeletionRecord(value.key, value.name)
                                    : PolicyRecord{value.key, value.name, value.type, value.data});
  }
  return PolicyFileBytes(records);
}

// One section per key, in the order the keys first come; the names are the
// program's own and never hold a line break.
std::string RegFileOf(const std::vector<ExportedValue>& values) {
  registry::RegFileWriter file;
  const ExportedValue* previous = nullptr;
  for (const ExportedValue& value : values) {
    if (!previous || previous->root != value.root || previous->key != value.key) {
      file.Key(registry::IDBAS_Registry::RootKeyName(value.root), value.key);
    }
    if (value.deleted) {
      file.DeletedValue(value.name);
    } else {
      file.Value(value.name, value.type, value.data);
    }
    previous = &value;
  }
  return file.Bytes();
}

std::string PathIn(const std::string& folder, const std::string& name) {
  // The root of a drive comes with its backslash ("C:\").
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// The prompts below break their lines as every prompt does.
static_assert(ui::kLineBreak == '\r');

// One line a name, each after a line break.
template <class Lines>
void AppendBullets(std::string& text, const Lines& lines) {
  for (const auto& line : lines) {
    text += texts::kBullet;
    text += line;
  }
}

}  // namespace

std::vector<ExportedValue> ReadConfiguration(registry::IDBAS_Registry& registry,
                                             const autologon::Winlogon& winlogon) {
  std::vector<ExportedValue> values;
  ReadPolicyValues(registry, platform::kHkeyLocalMachine, values);
  // As every save writes it.
  values.push_back(WinlogonText(autologon::kPowerdownAfterShutdown, "1"));
  const std::string shell = winlogon.ReadShellValue();
  if (!shell.empty()) values.push_back(WinlogonText(autologon::kShell, shell));
  ReadPolicyValues(registry, platform::kHkeyCurrentUser, values);
  return values;
}

std::vector<ExportFile> ExportFiles(const std::vector<ExportedValue>& values) {
  return {
      {kMachinePolicyFile, PolicyFileOf(values, platform::kHkeyLocalMachine)},
      {kUserPolicyFile, PolicyFileOf(values, platform::kHkeyCurrentUser)},
      {kRegFile, RegFileOf(values)},
  };
}

std::vector<std::string> ExistingFiles(platform::FileSystem& files, const std::string& folder,
                                       const std::vector<ExportFile>& export_files) {
  std::vector<std::string> existing;
  for (const ExportFile& file : export_files) {
    if (files.PathExists(PathIn(folder, file.name))) existing.push_back(file.name);
  }
  return existing;
}

WriteOutcome WriteExportFiles(platform::FileSystem& files, const std::string& folder,
                              const std::vector<ExportFile>& export_files) {
  WriteOutcome outcome;
  for (const ExportFile& file : export_files) {
    const std::string path = PathIn(folder, file.name);
    try {
      files.CreateFolders(path.substr(0, path.rfind('\\')));
      platform::ReplaceWholeFile(files, path, file.bytes);
    } catch (const platform::FileError& error) {
      outcome.failed = file.name;
      outcome.code = error.code();
      break;
    }
    outcome.written.push_back(file.name);
  }
  return outcome;
}

std::string ReplaceQuestion(const std::string& folder, const std::vector<std::string>& existing) {
  std::string text = texts::kExistingFilesBefore;
  text += ui::QuoteForBox(folder);
  text += texts::kListFollows;
  AppendBullets(text, existing);
  text += texts::kReplaceQuestion;
  return text;
}

std::string FailureMessage(const std::string& folder, const WriteOutcome& outcome) {
  std::string text = texts::kFailedFileBefore;
  text += ui::QuoteForBox(PathIn(folder, outcome.failed.value_or("")));
  text += texts::kFailedFileAfter;
  if (outcome.code != 0) {
    text += texts::kWindowsErrorBefore;
    text += std::to_string(outcome.code);
    text += texts::kWindowsErrorAfter;
  }
  text += texts::kExportStopped;
  if (!outcome.written.empty()) {
    text += texts::kAlreadyWritten;
    AppendBullets(text, outcome.written);
  }
  return text;
}

std::string DoneMessage(const std::string& folder, const std::vector<std::string>& written) {
  std::string text = texts::kExportedBefore;
  text += ui::QuoteForBox(folder);
  text += texts::kListFollows;
  AppendBullets(text, written);
  text += texts::kHowToApplyFollows;
  AppendBullets(text, texts::kHowToApply);
  text += texts::kLogonNotExported;
  return text;
}

}  // namespace ferrolis::exporting
