// The glyph rain's random numbers: a 32-bit linear congruential generator that starts at 1 and
// is never reseeded, so every run of the program shows the same rain.
#pragma once

#include <cstdint>

class RainRandom {
public:
    // The next number, 0 to 32767.
    int next() {
        state_ = state_ * 214013u + 2531011u;  // wraps modulo 2^32
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_ = 1;
};
