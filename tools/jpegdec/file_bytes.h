// Reading a whole file into memory for the JPEG developer programs (jpegdec, jpeg_bench).
// Files of 2 GiB or more are refused: the decoder takes its size as a 32-bit signed integer.
#pragma once

#include <climits>
#include <cstdio>
#include <vector>

inline int read_file_bytes(const char* path, std::vector<unsigned char>* bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 0;
    unsigned char chunk[65536];
    size_t n = 0;
    int fits = 1;
    while (fits && (n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        fits = bytes->size() + n <= static_cast<size_t>(INT_MAX);
        if (fits) bytes->insert(bytes->end(), chunk, chunk + n);
    }
    const int ok = fits && !std::ferror(file);
    std::fclose(file);
    return ok;
}
