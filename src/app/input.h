// The rules that turn window messages into the exit sequence, over plain state.
#pragma once

#include <windows.h>

struct AppState;

// The mouse rule: the first mouse message only records its position; a later one counts as
// user input when it lies anywhere else. Returns true for user input.
bool IsMouseInput(AppState& state, LPARAM lParam);

// The two-stage exit. The first input starts the sequence at the last frame's time; input
// during the sequence changes nothing; once the time is up every input asks for the close.
// Returns true when the caller must post WM_CLOSE.
bool OnUserInput(AppState& state);

// Called once per frame after frameTime is read: true (and exitTimeUp set) once the sequence
// has run for more than 1.5 s, in which case the caller posts WM_CLOSE.
bool ExitTimeIsUp(AppState& state);
