// What every asset generator hands to the driver (main.cpp): the files it makes for
// resources/ and the pictures the contact sheet shows.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

// One file under resources/, byte for byte as the resource script binds it.
struct AssetFile {
    std::string name;  // file name under resources/, e.g. "font.bmp"
    std::vector<unsigned char> bytes;
};

// One picture of the contact sheet, where it is shown at twice its size.
struct SheetPicture {
    std::string label;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // width x height x 3 bytes, R, G, B, top row first
};

struct Generated {
    std::vector<AssetFile> files;
    std::vector<SheetPicture> sheet;
};

// A generator appends what it makes. Every generator is deterministic: the same bytes on
// every run and every machine of the project's kind.
using Generator = void (*)(Generated* out);

}  // namespace assetgen
