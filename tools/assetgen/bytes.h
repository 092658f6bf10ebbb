// Appending little- and big-endian integers to a byte vector, for the file formats the
// generators write (BMP, ICO and CUR are little-endian, PNG is big-endian).
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

using Bytes = std::vector<unsigned char>;

inline void PutLe16(Bytes* out, std::uint32_t value) {
    out->push_back(static_cast<unsigned char>(value & 0xFF));
    out->push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

inline void PutLe32(Bytes* out, std::uint32_t value) {
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

inline void PutBe32(Bytes* out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
}

}  // namespace assetgen
