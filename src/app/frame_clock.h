// The frame clock: seconds since its last reset, read from the system's millisecond tick
// counter through one replaceable tick source.
#pragma once

#include <windows.h>

// The millisecond tick counter the program's clocks read: GetTickCount in the program. Tests
// put a counter of their own here to drive time exactly (across the 49.7-day wrap included).
typedef DWORD(WINAPI* TickSource)();
extern TickSource tickSource;

// Seconds since the last reset; reset = 1 restarts the clock at the current tick and returns
// 0. The ticks are counted from that reset by unsigned 32-bit subtraction, so the time keeps
// growing when the counter wraps, and keeps millisecond steps however long the system has run.
float gmGetTime(int reset);
