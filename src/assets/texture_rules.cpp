// Which kind of image a texture name asks for, and the checked size of a pixel buffer.
#include "assets/texture_rules.h"

#include <cstring>

TextureKind TextureKindOf(const char* name) {
    if (name == nullptr) return TextureKind::Unsupported;
    const char* extension = std::strrchr(name, '.');
    if (extension == nullptr) return TextureKind::Unsupported;
    if (std::strcmp(extension, ".jpg") == 0) return TextureKind::Jpeg;
    if (std::strcmp(extension, ".bmp") == 0) return TextureKind::Bitmap;
    return TextureKind::Unsupported;
}

int TextureBufferBytes(int width, int height, int bytes_per_pixel, std::size_t* bytes) {
    if (width < 0 || height < 0 || bytes_per_pixel < 0) return 0;
    // Each factor is below 2^31, so each partial product fits in 64 bits once the first is
    // known to be within the limit.
    const unsigned long long pixels =
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height);
    if (pixels > kMaxTextureBytes) return 0;
    const unsigned long long total = pixels * static_cast<unsigned long long>(bytes_per_pixel);
    if (total > kMaxTextureBytes) return 0;
    *bytes = static_cast<std::size_t>(total);
    return 1;
}
