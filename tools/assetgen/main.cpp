// assetgen: makes every picture and the model that the screen saver compiles in, from the
// descriptions in this folder, and a contact sheet that shows them all.
//   assetgen <output folder> [--sheet <contact sheet .png>]
// The contact sheet is put together by ImageMagick (montage); the assets need no tool beyond
// the ones their generators name.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "asset.h"
#include "monitor_assets.h"

namespace {

using assetgen::Generated;
using assetgen::Generator;

// Each generator adds its files and its contact-sheet pictures, in this order.
const Generator kGenerators[] = {
    assetgen::GenerateMonitorAssets,
};

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// The picture at twice its size, each pixel a 2 x 2 block, centred on a tile of the sheet's
// ground colour, as a binary PPM. Tiles of one size keep montage's rows and labels in line.
bool WriteTile(const std::string& path, const assetgen::SheetPicture& picture, int tile_width,
               int tile_height) {
    const std::string header =
        "P6\n" + std::to_string(tile_width) + " " + std::to_string(tile_height) + "\n255\n";
    std::vector<unsigned char> bytes(header.begin(), header.end());
    const int left = (tile_width - 2 * picture.width) / 2,
              top = (tile_height - 2 * picture.height) / 2;
    for (int y = 0; y < tile_height; ++y) {
        for (int x = 0; x < tile_width; ++x) {
            const int px = (x - left) / 2, py = (y - top) / 2;
            if (x < left || y < top || px >= picture.width || py >= picture.height) {
                bytes.insert(bytes.end(), {0x26, 0x26, 0x26});
                continue;
            }
            const unsigned char* p =
                &picture.rgb[(static_cast<std::size_t>(py) * picture.width + px) * 3];
            bytes.insert(bytes.end(), p, p + 3);
        }
    }
    return WriteFile(path, bytes);
}

// A word for the shell, in single quotes.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Every picture at twice its size, pixel for pixel, labelled, on a dark grey ground.
bool WriteContactSheet(const Generated& generated, const std::string& sheetPath) {
    const std::string work = sheetPath + ".parts";
    if (std::system(("rm -rf '" + work + "' && mkdir -p '" + work + "'").c_str()) != 0)
        return false;
    int tile_width = 0, tile_height = 0;
    for (const assetgen::SheetPicture& picture : generated.sheet) {
        tile_width = std::max(tile_width, 2 * picture.width);
        tile_height = std::max(tile_height, 2 * picture.height);
    }
    std::string command = "montage -depth 8 -background '#262626' -fill '#e0e0e0' -pointsize 22";
    for (std::size_t i = 0; i < generated.sheet.size(); ++i) {
        const assetgen::SheetPicture& picture = generated.sheet[i];
        if (picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
            std::fprintf(stderr, "assetgen: contact sheet picture '%s' has a wrong size\n",
                         picture.label.c_str());
            return false;
        }
        const std::string part = work + "/" + std::to_string(i) + ".ppm";
        if (!WriteTile(part, picture, tile_width, tile_height)) return false;
        command += " -label " + Quoted(picture.label) + " " + Quoted(part);
    }
    command += " -tile 3x -geometry +12+12 " + Quoted(sheetPath);
    const bool ok = std::system(command.c_str()) == 0;
    std::system(("rm -rf '" + work + "'").c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
        std::fprintf(stderr, "usage: assetgen <output folder> [--sheet <contact sheet .png>]\n");
        return 2;
    }
    Generated generated;
    for (Generator generate : kGenerators) {
        if (generate != nullptr) generate(&generated);
    }
    if (generated.files.empty()) {
        std::fprintf(stderr, "assetgen: no generator made anything\n");
        return 1;
    }
    const std::string folder = argv[1];
    for (const assetgen::AssetFile& file : generated.files) {
        if (!WriteFile(folder + "/" + file.name, file.bytes)) {
            std::fprintf(stderr, "assetgen: cannot write %s/%s\n", folder.c_str(),
                         file.name.c_str());
            return 1;
        }
        std::printf("%s/%s %zu bytes\n", folder.c_str(), file.name.c_str(), file.bytes.size());
    }
    if (argc == 4 && !WriteContactSheet(generated, argv[3])) {
        std::fprintf(stderr, "assetgen: cannot make the contact sheet %s\n", argv[3]);
        return 1;
    }
    return 0;
}
