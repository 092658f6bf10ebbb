// Writes PNG files: a filter per row chosen by the smallest sum of filtered bytes, zlib's
// deflate for the image data and its crc32 for the chunks.
#include "png_file.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>

namespace assetgen {

namespace {

void PutChunk(Bytes* out, const char type[4], const Bytes& data) {
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out->insert(out->end(), typed.begin(), typed.end());
    PutBe32(out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

int Paeth(int left, int up, int up_left) {
    const int estimate = left + up - up_left;
    const int to_left = std::abs(estimate - left);
    const int to_up = std::abs(estimate - up);
    const int to_up_left = std::abs(estimate - up_left);
    if (to_left <= to_up && to_left <= to_up_left) return left;
    return to_up <= to_up_left ? up : up_left;
}

// One row filtered with PNG filter type 0 to 4; previous is null for the first row.
Bytes FilterRow(int type, const unsigned char* row, const unsigned char* previous, int bytes) {
    Bytes out(static_cast<std::size_t>(bytes) + 1);
    out[0] = static_cast<unsigned char>(type);
    for (int i = 0; i < bytes; ++i) {
        const int left = i >= 4 ? row[i - 4] : 0;
        const int up = previous != nullptr ? previous[i] : 0;
        const int up_left = previous != nullptr && i >= 4 ? previous[i - 4] : 0;
        int predicted = 0;
        if (type == 1) predicted = left;
        if (type == 2) predicted = up;
        if (type == 3) predicted = (left + up) / 2;
        if (type == 4) predicted = Paeth(left, up, up_left);
        out[static_cast<std::size_t>(i) + 1] = static_cast<unsigned char>(row[i] - predicted);
    }
    return out;
}

long FilteredCost(const Bytes& filtered) {
    long cost = 0;
    for (std::size_t i = 1; i < filtered.size(); ++i)
        cost += std::abs(static_cast<signed char>(filtered[i]));
    return cost;
}

}  // namespace

Bytes EncodePng(const RgbaPicture& picture) {
    const int row_bytes = picture.width * 4;
    Bytes raw;
    for (int y = 0; y < picture.height; ++y) {
        const unsigned char* row = picture.at(0, y);
        const unsigned char* previous = y > 0 ? picture.at(0, y - 1) : nullptr;
        Bytes best = FilterRow(0, row, previous, row_bytes);
        for (int type = 1; type <= 4; ++type) {
            Bytes candidate = FilterRow(type, row, previous, row_bytes);
            if (FilteredCost(candidate) < FilteredCost(best)) best = candidate;
        }
        raw.insert(raw.end(), best.begin(), best.end());
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK) {
        std::fprintf(stderr, "assetgen: zlib could not compress a PNG picture\n");
        std::exit(1);
    }
    packed.resize(packed_size);

    Bytes header;
    PutBe32(&header, static_cast<std::uint32_t>(picture.width));
    PutBe32(&header, static_cast<std::uint32_t>(picture.height));
    header.push_back(8);  // bits per channel
    header.push_back(6);  // R, G, B, A
    header.push_back(0);  // deflate
    header.push_back(0);  // adaptive filtering
    header.push_back(0);  // not interlaced

    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(&out, "IHDR", header);
    PutChunk(&out, "IDAT", packed);
    PutChunk(&out, "IEND", Bytes());
    return out;
}

}  // namespace assetgen
