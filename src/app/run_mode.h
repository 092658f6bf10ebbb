// The run mode chosen from the screen-saver command line.
#pragma once

enum class RunMode : int {
    Configure = 0,       // no switch, or C: the About box
    Preview = 1,         // P <handle>: a child of the Display Properties preview
    Saver = 2,           // S, and any other letter: full screen
    Test = 3,            // T: a child window of a parent it is never given
    PasswordChange = 4,  // A: ends at once
};
