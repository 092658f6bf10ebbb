// The rules that turn window messages into the exit sequence, over plain state.
#include "app/input.h"

#include "app/app_state.h"

bool IsMouseInput(AppState& state, LPARAM lParam) {
    const int x = static_cast<int>(static_cast<DWORD_PTR>(lParam) & 0xFFFF);
    const int y = static_cast<int>((static_cast<DWORD_PTR>(lParam) >> 16) & 0xFFFF);
    if (state.lastMouseX == -1) {
        // Windows sends a mouse message when the window appears under the pointer; that one
        // only tells where the pointer rests.
        state.lastMouseX = x;
        state.lastMouseY = y;
        return false;
    }
    return x != state.lastMouseX || y != state.lastMouseY;
}

bool OnUserInput(AppState& state) {
    if (state.exitTimeUp) return true;
    if (!state.exitStarted) {
        state.exitStartTime = state.frameTime;
        state.exitStarted = 1;
    }
    return false;
}

bool ExitTimeIsUp(AppState& state) {
    if (state.exitStarted && state.exitStartTime + 1.5f < state.frameTime) {
        state.exitTimeUp = 1;
        return true;
    }
    return false;
}
