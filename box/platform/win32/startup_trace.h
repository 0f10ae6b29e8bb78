// Start-up figures for VELMO_TIMING runs: how far start-up has come since the process began.
#pragma once

namespace velmo {

// Milliseconds since the process was created.
double MsSinceProcessStart();
// With VELMO_TIMING set, prints "startup <step> <MsSinceProcessStart>".
void MarkStartup(const char* step);

}  // namespace velmo
