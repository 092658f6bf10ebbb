// The screen saver's own random generator (a 32-bit linear congruential generator starting
// at 1), so that the rain in the generated pictures is the same on every run.
#pragma once

namespace assetgen {

class Random {
public:
    // A number from 0 to n - 1.
    int operator()(int n) {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF) % n;
    }

private:
    unsigned state_ = 1;
};

}  // namespace assetgen
