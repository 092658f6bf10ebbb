// Runs cjpeg and djpeg on files in a scratch folder (see jpeg_files.h). Both are
// deterministic: the same input and options give the same bytes.
#include "jpeg_files.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace assetgen {

namespace {

void Fail(const std::string& what) {
    std::fprintf(stderr, "assetgen: jpeg: %s\n", what.c_str());
    std::exit(1);
}

std::string ScratchFolder() {
    char name[] = "/tmp/assetgen-jpeg-XXXXXX";
    if (mkdtemp(name) == nullptr) Fail("cannot make a scratch folder");
    return name;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) Fail("cannot write " + path);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) Fail("cannot write " + path);
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) Fail("cannot read " + path);
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) Fail("failed: " + command);
}

void RemoveFolder(const std::string& folder) { std::system(("rm -rf '" + folder + "'").c_str()); }

}  // namespace

std::vector<unsigned char> EncodeJpeg(const Image& image, int quality) {
    const std::string folder = ScratchFolder();
    const std::string header =
        "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    std::vector<unsigned char> ppm(header.begin(), header.end());
    const std::vector<unsigned char> rgb = ToBytes(image);
    ppm.insert(ppm.end(), rgb.begin(), rgb.end());
    WriteBytes(folder + "/in.ppm", ppm);
    Run("cjpeg -quality " + std::to_string(quality) +
        " -sample 2x2,1x1,1x1 -baseline -optimize -outfile '" + folder + "/out.jpg' '" + folder +
        "/in.ppm'");
    std::vector<unsigned char> jpeg = ReadBytes(folder + "/out.jpg");
    RemoveFolder(folder);
    return jpeg;
}

Image DecodeJpeg(const std::vector<unsigned char>& jpeg) {
    const std::string folder = ScratchFolder();
    WriteBytes(folder + "/in.jpg", jpeg);
    Run("djpeg -pnm -outfile '" + folder + "/out.ppm' '" + folder + "/in.jpg'");
    const std::vector<unsigned char> ppm = ReadBytes(folder + "/out.ppm");
    RemoveFolder(folder);
    const std::string head(ppm.begin(), ppm.begin() + (ppm.size() < 64 ? ppm.size() : 64));
    int width = 0, height = 0, maxval = 0, consumed = 0;
    if (std::sscanf(head.c_str(), "P6 %d %d %d%n", &width, &height, &maxval, &consumed) != 3 ||
        maxval != 255 || width <= 0 || height <= 0) {
        Fail("djpeg wrote no colour picture");
    }
    const std::size_t start = static_cast<std::size_t>(consumed) + 1;
    const std::size_t size = static_cast<std::size_t>(width) * height * 3;
    if (ppm.size() < start + size) Fail("djpeg's picture is short");
    return FromBytes(width, height,
                     std::vector<unsigned char>(ppm.begin() + start, ppm.begin() + start + size));
}

}  // namespace assetgen
