// Files another program holds for a moment: an antivirus or the indexer.
#pragma once

#include "platform/files.h"

namespace ferrolis::access {

// An antivirus or the indexer may hold a file for a moment: an operation the
// file system refuses for a sharing or lock conflict is tried again a few
// times, within about half a second, before its failure counts.
constexpr int kAttempts = 5;
constexpr unsigned kPauseMs = 100;

inline bool Held(const platform::FileError& error, bool access_too) {
  const unsigned long code = error.code();
  return code == platform::kFileSharingViolation || code == platform::kFileLockViolation ||
         (access_too && code == platform::kFileAccessDenied);
}

// `access_too`: a file open without delete sharing answers "access denied" to
// a replacement, so that counts as held too.
template <class Action>
auto Retrying(platform::FileSystem& files, bool access_too, Action action) {
  for (int attempt = 1;; ++attempt) {
    try {
      return action();
    } catch (const platform::FileError& error) {
      if (attempt == kAttempts || !Held(error, access_too)) throw;
    }
    files.Pause(kPauseMs);
  }
}

}  // namespace ferrolis::access
