// Reading the committed resource files for the tests.
#include "unit/resources/resource_file.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <climits>

#include "jpegdec/file_bytes.h"

bool ResourceFile::has(std::size_t offset, std::size_t count) const {
    return offset <= bytes.size() && count <= bytes.size() - offset;
}

namespace {

std::uint32_t Field(const ResourceFile& file, std::size_t offset, int count) {
    if (!file.has(offset, static_cast<std::size_t>(count))) {
        ADD_FAILURE() << file.name << ": " << count << "-byte field at " << offset
                      << " lies outside the file (" << file.bytes.size() << " bytes)";
        return 0;
    }
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | file.bytes[offset + i];
    return value;
}

}  // namespace

std::uint32_t ResourceFile::u8(std::size_t offset) const { return Field(*this, offset, 1); }
std::uint32_t ResourceFile::u16(std::size_t offset) const { return Field(*this, offset, 2); }
std::uint32_t ResourceFile::u32(std::size_t offset) const { return Field(*this, offset, 4); }

ResourceFile ReadResource(const char* name) {
    ResourceFile file;
    file.name = name;
    const std::string path = std::string(VELOTH_RESOURCES_DIR) + "/" + name;
    EXPECT_TRUE(read_file_bytes(path.c_str(), &file.bytes)) << "cannot read " << path;
    return file;
}

Pixels Decode(const unsigned char* data, std::size_t size) {
    Pixels pixels;
    if (size > static_cast<std::size_t>(INT_MAX)) return pixels;
    int channels = 0;
    unsigned char* decoded = stbi_load_from_memory(data, static_cast<int>(size), &pixels.width,
                                                   &pixels.height, &channels, 4);
    if (decoded == nullptr) {
        pixels.width = pixels.height = 0;
        return pixels;
    }
    pixels.rgba.assign(decoded, decoded + static_cast<std::size_t>(pixels.width) * pixels.height * 4);
    stbi_image_free(decoded);
    return pixels;
}
