// What the shared registry suites run against: natively the in-memory double,
// under Wine the real registry through the Win32 layer.
#pragma once

#include <memory>

#include "platform/registry.h"

namespace ferrolis::testing {

// A fresh registry for one test. The double starts empty; the real registry is
// the Wine prefix's own, so tests must clean up what they write.
std::unique_ptr<platform::Registry> MakeContractRegistry();

// A key the suites may fill and remove freely.
inline constexpr platform::RootKey kScratchRoot = platform::kHkeyCurrentUser;
inline constexpr const char* kScratchPath = "Software\\FerrolisContractTests";

}  // namespace ferrolis::testing
