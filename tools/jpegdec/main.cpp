// jpegdec: decodes one JPEG file with the program's own decoder and writes it as a binary PPM,
// so that its pixels can be compared with other decoders'. Exits 1, after the decoder's
// messages, when the file cannot be read or decoded.
#include <cstdio>
#include <vector>

#include "assets/texture.h"
#include "jpegdec/file_bytes.h"

namespace {

int write_ppm(const char* path, const unsigned char* rgba, int width, int height) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return 0;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const unsigned char* p = rgba + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = p[4 * x];
            row[3 * x + 1] = p[4 * x + 1];
            row[3 * x + 2] = p[4 * x + 2];
        }
        std::fwrite(row.data(), 1, row.size(), file);
    }
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpegdec input.jpg output.ppm\n");
        return 2;
    }
    std::vector<unsigned char> bytes;
    if (!read_file_bytes(argv[1], &bytes)) {
        std::fprintf(stderr, "jpegdec: cannot read %s\n", argv[1]);
        return 1;
    }
    int width = 0;
    int height = 0;
    unsigned char* rgba = Texture::load_jpeg(argv[1], &width, &height, bytes.data(),
                                             static_cast<int>(bytes.size()));
    if (rgba == nullptr) return 1;
    const int written = write_ppm(argv[2], rgba, width, height);
    delete[] rgba;
    if (!written) {
        std::fprintf(stderr, "jpegdec: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
