// JPEG files by Debian's libjpeg-turbo tools, run at generation time: cjpeg writes baseline
// JPEG with Y sampled 2 x 2 and Cb, Cr 1 x 1 and no restart markers; djpeg reads one back,
// so that the pictures drawn from an asset show what the program will decode.
#pragma once

#include <vector>

#include "image.h"

namespace assetgen {

std::vector<unsigned char> EncodeJpeg(const Image& image, int quality);
Image DecodeJpeg(const std::vector<unsigned char>& jpeg);

}  // namespace assetgen
