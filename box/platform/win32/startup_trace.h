// Start-up figures for VELMO_TIMING runs: how far start-up has come since the process began.
#pragma once

namespace velmo {

// Milliseconds since the process was created.
double MsSinceProcessStart();
// Milliseconds since 1970 on the system clock: what a test outside the program measures with.
double UnixMsNow();
// With VELMO_TIMING set, prints "startup <step> <MsSinceProcessStart>".
void MarkStartup(const char* step);

}  // namespace velmo
