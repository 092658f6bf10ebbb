// Writes pictures read back from OpenGL as binary PPM files for a person to look at, into the
// folder named by VELOTH_TEST_PICTURES; without it nothing is written.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// rgba: width x height pixels of 4 bytes, bottom row first as glReadPixels gives them.
inline void SavePicture(const char* name, const unsigned char* rgba, int width, int height) {
    const char* folder = std::getenv("VELOTH_TEST_PICTURES");
    if (folder == nullptr || *folder == '\0') return;
    const std::string path = std::string(folder) + "/" + name + ".ppm";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) std::fwrite(rgba + 4 * (y * width + x), 1, 3, file);
    }
    std::fclose(file);
}
