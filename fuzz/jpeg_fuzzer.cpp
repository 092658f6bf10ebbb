// libFuzzer target: any bytes through Texture::load_jpeg, under AddressSanitizer and
// UndefinedBehaviorSanitizer. Frames of more than a megapixel are passed over: they run the
// same code as smaller ones and would only make each run slower.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "assets/jpeg_decoder.h"
#include "assets/texture.h"

namespace {

constexpr int kFuzzPixelLimit = 1 << 20;

// The frame size from the decoder's own header reading; 0 when the headers are refused.
int frame_pixels(const unsigned char* data, int size) {
    std::unique_ptr<JpegDecoder> probe(new JpegDecoder());
    probe->stream.reset(new MemoryStream(data, size));
    return jpeg_read_markers(probe.get()) ? probe->pixel_count : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) return 0;
    const int length = static_cast<int>(size);
    if (frame_pixels(data, length) > kFuzzPixelLimit) return 0;
    int width = 0;
    int height = 0;
    unsigned char* pixels = Texture::load_jpeg("fuzz.jpg", &width, &height, data, length);
    if (pixels != nullptr) {
        // Touch the whole buffer: a size that disagrees with the allocation shows here.
        unsigned sum = 0;
        const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
        for (std::size_t i = 0; i < bytes; i += 61) sum += pixels[i];
        if (bytes > 0) sum += pixels[bytes - 1];
        delete[] pixels;
        return static_cast<int>(sum & 0);
    }
    return 0;
}
