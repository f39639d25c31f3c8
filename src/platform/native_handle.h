// A native window or icon handle, opaque to the logic.
#pragma once

#include <cstdint>

namespace ferrolis::platform {

using NativeHandle = std::uintptr_t;

}  // namespace ferrolis::platform
