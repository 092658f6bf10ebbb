// Reading the screen-saver switches from the whole command line (program path included).
// Portable: builds without windows.h so that it can be fuzzed natively.
#pragma once

#include <cstdint>

#include "app/run_mode.h"

// Returns the run mode. parentHandle receives the decimal window handle that follows an
// A, C or P switch, or 0 when there is none (or it does not fit a handle).
RunMode ParseCommandLine(const char* text, std::uintptr_t* parentHandle);
