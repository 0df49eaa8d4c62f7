#pragma once

#include <QtGlobal>

namespace tellwick {

// This process's resident memory in megabytes, as /proc/self/status gives it under field: "VmRSS:"
// now, "VmHWM:" at its highest since the last reset; -1 where it cannot be read.
qint64 memoryMegabytes(const char* field);

// Starts the highest resident memory over from what is resident now.
void resetPeakMemory();

} // namespace tellwick
