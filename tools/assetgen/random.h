// The screen saver's own random generator, so that the rain in the generated pictures is the
// same on every run.
#pragma once

#include "scene/rain_random.h"

namespace assetgen {

class Random {
public:
    // A number from 0 to n - 1.
    int operator()(int n) { return rain_.next() % n; }

private:
    RainRandom rain_;
};

}  // namespace assetgen
