// The configuration of this machine, exported for the tools that apply one
// configuration to many: Group Policy and LGPO.exe (Registry.pol files in a
// Machine and a User folder) and the registry editor or `reg import` (one
// .reg file). What is exported is read afresh from the registry: the fifteen
// Explorer policy values of each scope, the power-down switch that every save
// writes, and the replacement shell when one is set. The automatic logon is
// never exported: its password must not travel in a file, and an automatic
// logon without its password does not work.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "autologon/winlogon.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "registry/idbas_registry.h"

namespace ferrolis::exporting {

// One value of the exported configuration: set to its type and data where
// the files are applied, or deleted there (a restriction that is off).
struct ExportedValue {
  platform::RootKey root = 0;
  std::string key;  // below the root
  std::string name;
  bool deleted = false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // text types in UTF-16LE with their NUL
  friend bool operator==(const ExportedValue&, const ExportedValue&) = default;
};

// Reads the configuration from the registry, in this order: the policy
// values of HKEY_LOCAL_MACHINE in the catalogue's order (REG_DWORD 1 when on,
// deleted when off), "PowerdownAfterShutdown" "1" and the Winlogon "Shell"
// when it is set, then the policy values of HKEY_CURRENT_USER.
std::vector<ExportedValue> ReadConfiguration(registry::IDBAS_Registry& registry,
                                             const autologon::Winlogon& winlogon);

// A file of the export: its name relative to the chosen folder, and its bytes.
struct ExportFile {
  std::string name;
  std::string bytes;
};

// The three files, in the order they are written: Machine\Registry.pol (the
// HKEY_LOCAL_MACHINE values), User\Registry.pol (the HKEY_CURRENT_USER ones)
// and Ferrolis.reg (all of them, key by key).
std::vector<ExportFile> ExportFiles(const std::vector<ExportedValue>& values);

// The files of `files` already present in `folder`, by their relative names.
std::vector<std::string> ExistingFiles(platform::FileSystem& files, const std::string& folder,
                                       const std::vector<ExportFile>& export_files);

struct WriteOutcome {
  std::vector<std::string> written;   // relative names, in order
  std::optional<std::string> failed;  // the file that could not be written
  unsigned long code = 0;             // the system's error code for it, 0 when none
};

// Writes the files into `folder`, one after the other, each whole under a
// temporary name first and then moved over its name, creating the Machine and
// User folders when needed. The first file that cannot be written stops the
// export: it stays as it was, and so do the files after it.
WriteOutcome WriteExportFiles(platform::FileSystem& files, const std::string& folder,
                              const std::vector<ExportFile>& export_files);

// The messages the export shows, from the pieces of export/export_texts.h.
// Asks before files of those names are replaced.
std::string ReplaceQuestion(const std::string& folder, const std::vector<std::string>& existing);
// Names the file that could not be written, and what was written before it.
std::string FailureMessage(const std::string& folder, const WriteOutcome& outcome);
// Lists the files written and how to apply them; says what is not exported.
std::string DoneMessage(const std::string& folder, const std::vector<std::string>& written);

}  // namespace ferrolis::exporting
