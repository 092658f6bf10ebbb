// Writes the directory of an .ico or .cur file followed by its images, in directory order,
// and 32-bit icon images.
#include "icon_file.h"

#include "bmp_file.h"

namespace assetgen {

Bytes EncodeIconFile(IconKind kind, const std::vector<IconImage>& images) {
    constexpr int kHeaderBytes = 6;
    constexpr int kEntryBytes = 16;
    Bytes out;
    PutLe16(&out, 0);
    PutLe16(&out, static_cast<std::uint32_t>(kind));
    PutLe16(&out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = kHeaderBytes + kEntryBytes * images.size();
    for (const IconImage& image : images) {
        // A size of 256 does not fit the byte; the format writes it as 0.
        out.push_back(static_cast<unsigned char>(image.width & 0xFF));
        out.push_back(static_cast<unsigned char>(image.height & 0xFF));
        out.push_back(static_cast<unsigned char>(image.colour_count));
        out.push_back(0);
        PutLe16(&out, static_cast<std::uint32_t>(image.planes_or_hot_x));
        PutLe16(&out, static_cast<std::uint32_t>(image.bits_or_hot_y));
        PutLe32(&out, static_cast<std::uint32_t>(image.bytes.size()));
        PutLe32(&out, static_cast<std::uint32_t>(offset));
        offset += image.bytes.size();
    }
    for (const IconImage& image : images) out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    return out;
}

Bytes EncodeIconDib(const RgbaPicture& picture) {
    const int size = picture.width;
    const int mask_row_bytes = DibRowBytes(size, 1);
    const int image_bytes = size * size * 4 + mask_row_bytes * size;
    Bytes out;
    PutInfoHeader(&out, DibUse::IconImage, size, size * 2, 32, image_bytes, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = picture.at(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            out.push_back(p[3]);
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int byte = 0; byte < mask_row_bytes; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                // Transparent where less than half covered.
                if (x < size && picture.at(x, y)[3] < 128) bits |= 0x80u >> bit;
            }
            out.push_back(static_cast<unsigned char>(bits));
        }
    }
    return out;
}

}  // namespace assetgen
