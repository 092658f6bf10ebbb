// Writes the directory of an .ico or .cur file followed by its images, in directory order.
#include "icon_file.h"

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

}  // namespace assetgen
