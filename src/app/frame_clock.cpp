// The frame clock: seconds since its last reset, read from the system's millisecond tick
// counter through one replaceable tick source.
#include "app/frame_clock.h"

#include "app/app_state.h"

TickSource tickSource = GetTickCount;

float gmGetTime(int reset) {
    const DWORD now = tickSource();
    if (reset == 1) app.clockBase = now;
    // Modulo 2^32, the difference is right across the wrap; absolute ticks would jump back by
    // 4.29 million seconds there, and as float seconds they lose the milliseconds within days.
    const DWORD elapsed = now - app.clockBase;
    return static_cast<float>(static_cast<double>(elapsed) * static_cast<double>(0.001f));
}
