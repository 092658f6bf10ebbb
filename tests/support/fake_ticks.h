// A millisecond tick counter that a test sets and advances, put in place of GetTickCount for
// the test's lifetime.
#pragma once

#include <windows.h>

#include "app/frame_clock.h"

// A machine that has been up for thirty days.
const DWORD kThirtyDays = 30u * 24u * 3600u * 1000u;

inline DWORD g_fakeTicks = 0;
inline DWORD WINAPI FakeTicks() { return g_fakeTicks; }

class FakeTickSource {
public:
    explicit FakeTickSource(DWORD start) {
        g_fakeTicks = start;
        tickSource = FakeTicks;
    }
    ~FakeTickSource() { tickSource = GetTickCount; }
    FakeTickSource(const FakeTickSource&) = delete;
    FakeTickSource& operator=(const FakeTickSource&) = delete;

    void set(DWORD ticks) { g_fakeTicks = ticks; }
};
