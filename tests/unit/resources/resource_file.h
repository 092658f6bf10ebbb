// The committed files under resources/, read for the tests by readers of the tests' own:
// little-endian fields checked against the file's length, pixels decoded by stb_image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ResourceFile {
    std::string name;
    std::vector<unsigned char> bytes;

    // Fields at a byte offset; outside the file they read 0 and fail the test.
    std::uint32_t u8(std::size_t offset) const;
    std::uint32_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    bool has(std::size_t offset, std::size_t count) const;
};

// Fails the test when the file cannot be read.
ResourceFile ReadResource(const char* name);

// R, G, B, A, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
    const unsigned char* at(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

// A BMP or PNG file (or part of one) through stb_image; width 0 when it cannot be decoded.
Pixels Decode(const unsigned char* data, std::size_t size);
