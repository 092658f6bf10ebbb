// libFuzzer target: any bytes through Texture::load_jpeg, under AddressSanitizer and
// UndefinedBehaviorSanitizer. Frames of more than a megapixel are passed over: they run the
// same code as smaller ones and would only make each run slower.
//
// What a decoded picture must be, checked so that a failure aborts the run: the buffer is
// allocated at exactly width x height x 4 bytes; every byte of it is written (each input is
// decoded twice, into a buffer filled first with 00 and then with FF bytes, and the two must
// agree, which also reads the whole buffer, so that a short one is an ASan error); the two
// decodes agree on success and size; and grey and colour pictures have alpha 255 everywhere.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "assets/jpeg_decoder.h"
#include "assets/texture.h"

namespace {

constexpr int kFuzzPixelLimit = 1 << 20;

// The fill of the next array the decoder allocates, and the size of the last one.
unsigned char next_fill = 0;
std::size_t last_array_size = 0;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "jpeg_fuzzer: %s\n", what);
    std::abort();
}

// The decoder's frame from its own header reading; 0 pixels when the headers are refused.
struct Frame {
    int pixels = 0;
    int components = 0;
};
Frame read_frame(const unsigned char* data, int size) {
    std::unique_ptr<JpegDecoder> probe(new JpegDecoder());
    probe->stream.reset(new MemoryStream(data, size));
    Frame frame;
    if (jpeg_read_markers(probe.get())) {
        frame.pixels = probe->pixel_count;
        frame.components = probe->component_count;
    }
    return frame;
}

struct Picture {
    std::unique_ptr<unsigned char[]> pixels;
    int width = -1;
    int height = -1;
    std::size_t allocated = 0;
};
Picture decode(const unsigned char* data, int size, unsigned char fill) {
    Picture p;
    next_fill = fill;
    last_array_size = 0;
    p.pixels.reset(Texture::load_jpeg("fuzz.jpg", &p.width, &p.height, data, size));
    p.allocated = last_array_size;
    return p;
}

}  // namespace

// The decoder's output buffer is its only array allocated with nothrow new: it starts filled
// with next_fill, so that bytes the decoder leaves alone show. The memory comes from the
// sanitizer's own operator new[], which the delete[] of the caller then matches.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    void* memory = ::operator new[](size);
    std::memset(memory, next_fill, size);
    last_array_size = size;
    return memory;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) return 0;
    const int length = static_cast<int>(size);
    const Frame frame = read_frame(data, length);
    if (frame.pixels > kFuzzPixelLimit) return 0;
    const Picture zeros = decode(data, length, 0x00);
    const Picture ones = decode(data, length, 0xFF);
    require((zeros.pixels != nullptr) == (ones.pixels != nullptr), "decodes disagree on success");
    require((zeros.pixels != nullptr) == (frame.pixels > 0), "headers read differently");
    if (zeros.pixels == nullptr) return 0;
    require(zeros.width == ones.width && zeros.height == ones.height, "decodes disagree on size");
    const std::size_t bytes = static_cast<std::size_t>(zeros.width) * zeros.height * 4;
    require(bytes == static_cast<std::size_t>(frame.pixels) * 4, "size is not the frame's");
    require(zeros.allocated == bytes && ones.allocated == bytes, "buffer of the wrong size");
    require(std::memcmp(zeros.pixels.get(), ones.pixels.get(), bytes) == 0,
            "output bytes left unwritten");
    if (frame.components == 1 || frame.components == 3) {
        for (std::size_t i = 3; i < bytes; i += 4) require(zeros.pixels[i] == 255, "alpha not 255");
    }
    return 0;
}
