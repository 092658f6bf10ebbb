// jpeg_bench: decode throughput, in megapixels per second, of our decoder, libjpeg-turbo and
// stb_image on the same JPEG files (all three to R, G, B, A), printed as one table with the
// ratios to libjpeg-turbo. A program to run by hand (bench/run.sh), not a test.
#include <stb_image.h>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "assets/texture.h"
#include "jpegdec/file_bytes.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Input {
    std::string name;
    std::vector<unsigned char> bytes;
    int width = 0;
    int height = 0;
};

// One decode with each library; 1 when it produced width x height pixels.
int decode_ours(const Input& in) {
    int width = 0, height = 0;
    unsigned char* pixels = Texture::load_jpeg(in.name.c_str(), &width, &height, in.bytes.data(),
                                               static_cast<int>(in.bytes.size()));
    delete[] pixels;
    return pixels != nullptr && width == in.width && height == in.height;
}

int decode_turbo(const Input& in) {
    tjhandle handle = tjInitDecompress();
    // Not cleared, like the buffers of the other two.
    const size_t bytes = static_cast<size_t>(in.width) * in.height * 4;
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[bytes]);
    const int ok = tjDecompress2(handle, in.bytes.data(), in.bytes.size(), pixels.get(), in.width,
                                 0, in.height, TJPF_RGBA, 0) == 0;
    tjDestroy(handle);
    return ok;
}

int decode_stb(const Input& in) {
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load_from_memory(
        in.bytes.data(), static_cast<int>(in.bytes.size()), &width, &height, &channels, 4);
    stbi_image_free(pixels);
    return pixels != nullptr && width == in.width && height == in.height;
}

// Megapixels per second from the fastest of several timed decodes (the machine is shared, so
// the fastest run is the one least disturbed); 0 when a decode fails.
double throughput(const Input& in, int (*decode)(const Input&)) {
    if (!decode(in)) return 0.0;  // also warms the caches and the colour tables
    double best = 1e30;
    double spent = 0.0;
    // At least half a second per decoder and file: a short run in a fresh process otherwise
    // meets the processor before it has reached full speed.
    for (int run = 0; run < 5 || spent < 0.5; ++run) {
        const Clock::time_point start = Clock::now();
        decode(in);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = std::min(best, seconds);
        spent += seconds;
    }
    return static_cast<double>(in.width) * in.height / best / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: jpeg_bench file.jpg...\n");
        return 2;
    }
    std::printf("| %-27s | %11s | %10s | %10s | %10s | %12s | %12s |\n", "file", "size",
                "ours MP/s", "turbo MP/s", "stb MP/s", "ours / turbo", "stb / turbo");
    std::printf("|-----------------------------|-------------|------------|------------|"
                "------------|--------------|--------------|\n");
    // Every file is read and decoded once by each library before any timing: the first
    // decodes of a process also pay for the allocator's first use of memory, which would
    // otherwise fall on whichever decoder is timed first.
    std::vector<Input> inputs;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        Input in;
        const std::string path = argv[i];
        in.name = path.substr(path.find_last_of('/') + 1);
        tjhandle handle = tjInitDecompress();
        int subsampling = 0, colourspace = 0;
        const int ok = read_file_bytes(argv[i], &in.bytes) &&
                       tjDecompressHeader3(handle, in.bytes.data(), in.bytes.size(), &in.width,
                                           &in.height, &subsampling, &colourspace) == 0;
        tjDestroy(handle);
        if (!ok) {
            std::fprintf(stderr, "jpeg_bench: cannot read %s\n", argv[i]);
            status = 1;
            continue;
        }
        decode_ours(in);
        decode_turbo(in);
        decode_stb(in);
        inputs.push_back(in);
    }
    for (const Input& in : inputs) {
        const double ours = throughput(in, decode_ours);
        const double turbo = throughput(in, decode_turbo);
        const double stb = throughput(in, decode_stb);
        const std::string size = std::to_string(in.width) + " x " + std::to_string(in.height);
        std::printf("| %-27s | %11s | %10.1f | %10.1f | %10.1f | %12.2f | %12.2f |\n",
                    in.name.c_str(), size.c_str(), ours, turbo, stb, ours / turbo, stb / turbo);
        if (ours == 0.0) status = 1;
    }
    return status;
}
