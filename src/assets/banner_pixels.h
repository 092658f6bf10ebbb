// The banner's raw picture ("GM.raw"): 256 x 32 pixels of 3 bytes (R, G, B), first row first,
// without a header, and its expansion into the 4-byte pixels the texture is uploaded from.
// Portable: plain buffers only, so it builds natively with sanitizers.
#pragma once

#include <cstddef>

constexpr int kBannerWidth = 256;
constexpr int kBannerHeight = 32;
constexpr std::size_t kBannerSourceBytes = kBannerWidth * kBannerHeight * 3;  // 24576
constexpr std::size_t kBannerPixelBytes = kBannerWidth * kBannerHeight * 4;

// Writes kBannerPixelBytes into rgba: each source pixel's three bytes in their order, then 255,
// pixel (row, column) of the source at (row, column) of the result. Exactly kBannerSourceBytes
// are read; bytes past them are not part of the picture. False, with nothing read or written,
// when the source holds fewer bytes than the picture needs.
bool ExpandBannerPixels(const unsigned char* source, std::size_t sourceBytes, unsigned char* rgba);
