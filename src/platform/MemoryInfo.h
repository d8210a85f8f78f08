// How much memory the machine can still give this process, for refusing work that cannot fit
// before the kernel ends the program instead.
#pragma once

#include <cstdint>

// MemAvailable of /proc/meminfo in bytes; -1 when it cannot be read.
int64_t AvailableMemoryBytes();
