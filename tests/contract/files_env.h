// What the file contract tests need around the file system under test: a
// scratch folder, and an independent way to make and inspect files there.
#pragma once

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/text_codec.h"

namespace ferrolis::testing {

class FilesEnv {
 public:
  virtual ~FilesEnv() = default;
  virtual platform::FileSystem& fs() = 0;
  virtual const platform::TextCodec& codec() = 0;
  // An empty folder that exists, with a trailing backslash.
  virtual std::string Scratch() = 0;
  virtual void Put(const std::string& path, const std::string& bytes) = 0;
  // The bytes of a file; empty when it does not exist.
  virtual std::string Bytes(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual void SetAttributes(const std::string& path, bool hidden, bool system, bool read_only) = 0;
  virtual void MakeFolder(const std::string& path) = 0;
  // A drive ("Q:") that is not there.
  virtual std::string MissingDrive() = 0;
  // The folder drive A shows, or empty when drive A is not mapped.
  virtual std::string FloppyFolder() = 0;
  // Takes drive A away where the environment can; true when it is now absent.
  virtual bool UnmapDriveA() = 0;
};

std::unique_ptr<FilesEnv> MakeFilesEnv();

}  // namespace ferrolis::testing
