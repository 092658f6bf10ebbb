// Writes pictures read back from OpenGL as binary PPM files for a person to look at, into the
// folder named by VELOTH_TEST_PICTURES; without it nothing is written.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// pixels: width x height pixels of bytes_per_pixel bytes, R, G, B first, bottom row first as
// glReadPixels gives them unless top_row_first.
inline void SavePicture(const char* name, const unsigned char* pixels, int width, int height,
                        int bytes_per_pixel = 4, bool top_row_first = false) {
    const char* folder = std::getenv("VELOTH_TEST_PICTURES");
    if (folder == nullptr || *folder == '\0') return;
    const std::string path = std::string(folder) + "/" + name + ".ppm";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int row = 0; row < height; ++row) {
        const int y = top_row_first ? row : height - 1 - row;
        for (int x = 0; x < width; ++x)
            std::fwrite(pixels + bytes_per_pixel * (y * width + x), 1, 3, file);
    }
    std::fclose(file);
}
