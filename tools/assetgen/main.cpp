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
#include "pictures.h"

namespace {

using assetgen::Generated;
using assetgen::Generator;

// Each generator adds its files and its contact-sheet pictures, in this order.
const Generator kGenerators[] = {
    assetgen::MakeGlyphStrip,
    assetgen::MakeFailureMessage,
    assetgen::MakeBanner,
    assetgen::MakeScreenViews,
    assetgen::MakeHandCursor,
    assetgen::MakeProductIcon,
};

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// A binary PPM of the picture at twice its size, every pixel a 2 x 2 block.
bool WriteDoubledPpm(const std::string& path, const assetgen::SheetPicture& picture) {
    const std::string header = "P6\n" + std::to_string(picture.width * 2) + " " +
                               std::to_string(picture.height * 2) + "\n255\n";
    std::vector<unsigned char> bytes(header.begin(), header.end());
    for (int y = 0; y < picture.height * 2; ++y) {
        for (int x = 0; x < picture.width * 2; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y / 2) * picture.width + x / 2) * 3;
            bytes.insert(bytes.end(), picture.rgb.begin() + at, picture.rgb.begin() + at + 3);
        }
    }
    return WriteFile(path, bytes);
}

// Every picture at twice its size, pixel for pixel, labelled, on a dark grey ground, three
// to a row. montage puts each label below the tallest picture of the whole sheet, so each
// row is made on its own and the rows are stacked.
bool WriteContactSheet(const Generated& generated, const std::string& sheetPath) {
    constexpr std::size_t kPerRow = 3;
    const std::string work = sheetPath + ".parts";
    if (std::system(("rm -rf '" + work + "' && mkdir -p '" + work + "'").c_str()) != 0)
        return false;
    bool ok = true;
    std::string stack = "convert -background '#262626'";
    for (std::size_t first = 0; ok && first < generated.sheet.size(); first += kPerRow) {
        std::string row = "montage -background '#262626' -fill '#e0e0e0' -pointsize 14";
        for (std::size_t i = first; i < std::min(first + kPerRow, generated.sheet.size()); ++i) {
            const assetgen::SheetPicture& picture = generated.sheet[i];
            if (picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
                std::fprintf(stderr, "assetgen: contact sheet picture '%s' has a wrong size\n",
                             picture.label.c_str());
                ok = false;
                break;
            }
            const std::string part = work + "/" + std::to_string(i) + ".ppm";
            if (!WriteDoubledPpm(part, picture)) ok = false;
            row += " -label '" + picture.label + "' '" + part + "'";
        }
        const std::string row_path = work + "/row" + std::to_string(first / kPerRow) + ".png";
        row += " -tile " + std::to_string(kPerRow) + "x -geometry +12+12 '" + row_path + "'";
        ok = ok && std::system(row.c_str()) == 0;
        stack += " '" + row_path + "'";
    }
    // 8 bits per channel and no time stamps: the same sheet from the same pictures.
    stack += " -append +repage -depth 8 -define png:exclude-chunks=date,time '" + sheetPath + "'";
    ok = ok && std::system(stack.c_str()) == 0;
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
