// The texture manager in a real OpenGL context: the tree rules through the create operations,
// bitmaps and JPEG images from resources and files, binding, and uploads read back.
#include "assets/texture.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/gl_window.h"
#include "fixtures/texture/test_resource_ids.h"

namespace {

const int kMissingId = 3299;

GLuint BoundTexture() {
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<GLuint>(bound);
}

GLint Parameter(GLenum name) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint LevelWidth() {
    GLint width = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

// The image of the bound texture, 4 bytes per pixel in the given order, first row first.
std::vector<unsigned char> ReadBack(int width, int height, GLenum format) {
    std::vector<unsigned char> image(static_cast<size_t>(width) * height * 4, 0xCD);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, image.data());
    return image;
}

std::vector<unsigned char> Buffer(const Texture* entry) {
    const size_t size = static_cast<size_t>(entry->width) * entry->height * 4;
    return std::vector<unsigned char>(entry->pixels, entry->pixels + size);
}

// The entry a create operation filled with an image: its size, 4 bytes a pixel and a texture
// object. Null (with a failure) when any of that is wrong, since its pixels cannot be compared.
const Texture* ImageEntry(Texture& root, const char* name, int width, int height) {
    const Texture* entry = root.find(name);
    if (entry == nullptr) {
        ADD_FAILURE() << name << " is absent";
        return nullptr;
    }
    EXPECT_NE(entry->gl_name, 0u) << name;
    if (entry->width != width || entry->height != height || entry->bytes_per_pixel != 4 ||
        entry->pixels == nullptr) {
        ADD_FAILURE() << name << " is " << entry->width << " x " << entry->height << " x "
                      << entry->bytes_per_pixel;
        return nullptr;
    }
    return entry;
}

// make_test_pictures.pl: pixel (x, y) of the 10 x 6 bitmap, y = 0 the top row, has palette
// index 16 y + x + 1; palette entry i is blue i, green 255 - i, red 37 i mod 256.
std::vector<unsigned char> PatternBgrx() {
    std::vector<unsigned char> expected;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 10; ++x) {
            const int i = 16 * y + x + 1;
            expected.insert(expected.end(), {static_cast<unsigned char>(i),
                                             static_cast<unsigned char>(255 - i),
                                             static_cast<unsigned char>((37 * i) % 256), 255});
        }
    }
    return expected;
}

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(context_.ok()) << context_.failure(); }
    HINSTANCE module_ = GetModuleHandleA(nullptr);
    GlContext context_{64, 64};
    Texture root_;
};

enum class Op { Resource, File, Empty, Bind };

struct Step {
    Op op;
    const char* name;
    int id_or_width;
    int result;
};

// The create operations' refusals and the lookups that follow them, on one tree.
TEST_F(TextureTest, TreeRulesThroughTheOperations) {
    const Step steps[] = {
        {Op::Resource, "font.bmp", IDB_TEST_PATTERN, 1},
        {Op::Resource, "font.bmp", IDB_TEST_PATTERN, 0},  // duplicate
        {Op::Empty, "font.bmp", 4, 0},                    // duplicate across operations
        {Op::Resource, "Screen.tga", IDB_TEST_PATTERN, 0},
        {Op::Resource, "GM.raw", IDR_TEST_PICTURE_JPG, 0},
        {Op::Empty, "Screen.tga", 0, 1},
        {Op::Empty, "GM.raw", 256, 1},
        {Op::Empty, "GM.raw", 256, 0},
        {Op::Resource, "FONT.BMP", IDB_TEST_PATTERN, 0},  // upper-case extension
        {Op::Resource, "Font.bmp", IDB_TEST_PATTERN, 1},  // another name than "font.bmp"
        {Op::Resource, "noextension", IDB_TEST_PATTERN, 0},
        {Op::Resource, "", IDB_TEST_PATTERN, 0},
        {Op::File, "Texture1.jpg", 0, 1},  // registered by name only
        {Op::Resource, "Texture1.jpg", IDR_TEST_PICTURE_JPG, 0},
        {Op::Resource, "ASmallTexture1.jpg", IDR_TEST_PICTURE_JPG, 1},
        {Op::File, "ASmallTexture1.jpg", 0, 0},
        {Op::File, "Screen.tga", 0, 0},
        {Op::File, "model.tga", 0, 0},
        {Op::Empty, "negative", -1, 0},
        {Op::Empty, "huge", 65536, 0},  // 65536 x 65536 x 4 does not fit
        {Op::Bind, "", 0, 0},           // the root is never matched
        {Op::Bind, "absent.bmp", 0, 0},
        {Op::Bind, "FONT.BMP", 0, 0},
        {Op::Bind, "model.tga", 0, 0},
        {Op::Bind, "negative", 0, 0},
        {Op::Bind, "huge", 0, 0},
        {Op::Bind, "font.bmp", 0, 1},
        {Op::Bind, "Font.bmp", 0, 1},
        {Op::Bind, "Screen.tga", 0, 1},
        {Op::Bind, "GM.raw", 0, 1},
        {Op::Bind, "Texture1.jpg", 0, 1},
        {Op::Bind, "ASmallTexture1.jpg", 0, 1},
    };
    for (const Step& s : steps) {
        int result = -1;
        switch (s.op) {
        case Op::Resource:
            result = root_.create_from_resource(s.name, s.id_or_width, module_);
            break;
        case Op::File:
            result = root_.create_from_file(s.name);
            break;
        case Op::Empty:
            result = root_.create_empty(s.name, s.id_or_width, s.id_or_width, 4);
            break;
        case Op::Bind:
            result = root_.bind(s.name);
            break;
        }
        EXPECT_EQ(result, s.result)
            << "operation " << static_cast<int>(s.op) << " on \"" << s.name << "\"";
    }
    // The refused duplicate left the first texture as it was.
    EXPECT_EQ(root_.find("font.bmp")->width, 10);
    EXPECT_EQ(root_.find("GM.raw")->width, 256);
    EXPECT_EQ(root_.find("Texture1.jpg")->gl_name, 0u);
    EXPECT_EQ(root_.find_pixels("Texture1.jpg"), nullptr);
    EXPECT_EQ(root_.find_pixels(""), nullptr);
    EXPECT_EQ(root_.find_pixels("absent.bmp"), nullptr);
}

TEST_F(TextureTest, BindByNameAndAbsentNamesLeaveTheBinding) {
    ASSERT_EQ(root_.create_empty("Screen.tga", 0, 0, 4), 1);
    ASSERT_EQ(root_.create_empty("desktop.bmp", 2, 2, 4), 1);
    const GLuint screen = root_.find("Screen.tga")->gl_name;
    const GLuint desktop = root_.find("desktop.bmp")->gl_name;
    EXPECT_NE(screen, 0u);  // a real name even for 0 x 0 pixels
    EXPECT_NE(desktop, 0u);
    EXPECT_NE(screen, desktop);
    EXPECT_NE(root_.find_pixels("Screen.tga"), nullptr);  // a zero-sized buffer

    EXPECT_EQ(BoundTexture(), 0u);  // creating binds nothing
    EXPECT_EQ(root_.bind("desktop.bmp"), 1);
    EXPECT_EQ(BoundTexture(), desktop);
    EXPECT_EQ(root_.bind("Screen.tga"), 1);
    EXPECT_EQ(BoundTexture(), screen);
    EXPECT_EQ(root_.bind(""), 0);
    EXPECT_EQ(root_.bind("screen.tga"), 0);
    EXPECT_EQ(root_.bind(nullptr), 0);
    root_.upload("absent.bmp");
    EXPECT_EQ(BoundTexture(), screen);
    ASSERT_EQ(root_.create_empty("later.raw", 1, 1, 4), 1);
    EXPECT_EQ(BoundTexture(), screen);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, FindPixelsThenUploadShowsTheBuffer) {
    ASSERT_EQ(root_.create_empty("GM.raw", 8, 4, 4), 1);
    unsigned char* pixels = root_.find_pixels("GM.raw");
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(root_.find_pixels("GM.raw"), pixels);  // the same buffer on every call
    for (int i = 0; i < 8 * 4 * 4; ++i) pixels[i] = static_cast<unsigned char>(i * 7 + 1);
    root_.upload("GM.raw");
    const GLuint name = root_.find("GM.raw")->gl_name;
    EXPECT_EQ(BoundTexture(), name);
    EXPECT_EQ(ReadBack(8, 4, GL_RGBA), std::vector<unsigned char>(pixels, pixels + 128));
    EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);

    // Refilled in place and uploaded again, with another texture bound meanwhile.
    for (int i = 0; i < 128; ++i) pixels[i] = static_cast<unsigned char>(255 - i);
    glBindTexture(GL_TEXTURE_2D, 0);
    root_.upload("GM.raw");
    EXPECT_EQ(BoundTexture(), name);
    EXPECT_EQ(ReadBack(8, 4, GL_RGBA), std::vector<unsigned char>(pixels, pixels + 128));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, UploadRefusesABufferNarrowerThanFourBytesAPixel) {
    // Uploading reads 4 bytes per pixel; 3 would read a quarter past the buffer's end.
    ASSERT_EQ(root_.create_empty("rgb.raw", 16, 16, 3), 1);
    root_.upload("rgb.raw");
    EXPECT_EQ(BoundTexture(), 0u);
    ASSERT_EQ(root_.bind("rgb.raw"), 1);
    EXPECT_EQ(LevelWidth(), 0);
}

TEST_F(TextureTest, BitmapResourceBecomesBgrxTopRowFirst) {
    ASSERT_EQ(root_.create_from_resource("font.bmp", IDB_TEST_PATTERN, module_), 1);
    const Texture* font = ImageEntry(root_, "font.bmp", 10, 6);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(Buffer(font), PatternBgrx());

    // Left bound, uploaded as B, G, R, A with linear filters.
    EXPECT_EQ(BoundTexture(), font->gl_name);
    EXPECT_EQ(ReadBack(10, 6, GL_BGRA_EXT), PatternBgrx());
    EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Writes the bitmap resource out as a .bmp file: a file header before the resource's DIB.
std::string WritePatternFile(HINSTANCE module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDB_TEST_PATTERN), RT_BITMAP);
    if (found == nullptr) return "";
    const auto* dib = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = sizeof(header) + size;
    header.bfOffBits = sizeof(header) + sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    const std::string path = std::string(directory) + "veloth_texture_test.bmp";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return "";
    std::fwrite(&header, sizeof(header), 1, file);
    std::fwrite(dib, 1, size, file);
    std::fclose(file);
    return path;
}

TEST_F(TextureTest, BitmapFileLoadsLikeTheResource) {
    const std::string path = WritePatternFile(module_);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(root_.create_from_file(path.c_str()), 1);
    DeleteFileA(path.c_str());
    const Texture* entry = ImageEntry(root_, path.c_str(), 10, 6);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(Buffer(entry), PatternBgrx());
    EXPECT_EQ(BoundTexture(), entry->gl_name);
    EXPECT_EQ(ReadBack(10, 6, GL_BGRA_EXT), PatternBgrx());
}

// An image that cannot be had leaves its entry in the tree, binding texture object 0.
TEST_F(TextureTest, FailedImagesKeepTheirNameWithoutATextureObject) {
    const struct {
        const char* name;
        int id;  // 0: create_from_file
    } cases[] = {
        {"missing.bmp", kMissingId},
        {"missing.jpg", kMissingId},
        {"notjpeg.jpg", IDR_TEST_NOT_JPEG},
        {"bitmap.jpg", IDB_TEST_PATTERN},  // a BITMAP is not an RCDATA
        {"rcdata.bmp", IDR_TEST_PICTURE_JPG},
        {"range.bmp", 0x10000 + IDB_TEST_PATTERN},  // would alias the pattern in 16 bits
        {"range.jpg", 0x10000 + IDR_TEST_PICTURE_JPG},
        {"zero.bmp", 0},
        {"Z:\\no\\such\\file.bmp", -1},
    };
    ASSERT_EQ(root_.create_empty("other.raw", 1, 1, 4), 1);
    for (const auto& c : cases) {
        const int result = c.id == -1 ? root_.create_from_file(c.name)
                                      : root_.create_from_resource(c.name, c.id, module_);
        EXPECT_EQ(result, 0) << c.name;
        const Texture* entry = root_.find(c.name);
        ASSERT_NE(entry, nullptr) << c.name;
        EXPECT_EQ(entry->gl_name, 0u) << c.name;
        EXPECT_EQ(entry->pixels, nullptr) << c.name;
        ASSERT_EQ(root_.bind("other.raw"), 1);
        EXPECT_EQ(root_.bind(c.name), 1) << c.name;
        EXPECT_EQ(BoundTexture(), 0u) << c.name;
        EXPECT_EQ(root_.create_from_resource(c.name, IDB_TEST_PATTERN, module_), 0) << c.name;
    }
}

// make_test_pictures.pl: six solid 16 x 16 blocks, encoded by cjpeg at quality 95 in 4:2:0.
TEST_F(TextureTest, JpegResourceBecomesRgbaTopRowFirst) {
    ASSERT_EQ(root_.create_from_resource("Texture1.jpg", IDR_TEST_PICTURE_JPG, module_), 1);
    const Texture* entry = ImageEntry(root_, "Texture1.jpg", 48, 32);
    ASSERT_NE(entry, nullptr);
    const int blocks[2][3][3] = {{{220, 40, 40}, {40, 200, 60}, {30, 60, 210}},
                                 {{250, 250, 250}, {10, 10, 10}, {128, 96, 64}}};
    const std::vector<unsigned char> pixels = Buffer(entry);
    for (int by = 0; by < 2; ++by) {
        for (int bx = 0; bx < 3; ++bx) {
            const unsigned char* centre = &pixels[((by * 16 + 8) * 48 + bx * 16 + 8) * 4];
            for (int c = 0; c < 3; ++c) {
                // Solid blocks aligned with the macroblocks keep their colour within a few
                // levels at this quality.
                EXPECT_NEAR(centre[c], blocks[by][bx][c], 3) << "block " << bx << "," << by;
            }
        }
    }
    for (size_t i = 3; i < pixels.size(); i += 4) ASSERT_EQ(pixels[i], 255) << i;

    EXPECT_EQ(BoundTexture(), entry->gl_name);
    EXPECT_EQ(ReadBack(48, 32, GL_RGBA), pixels);
    EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
