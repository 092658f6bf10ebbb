// The loading of every asset from the program's own resources, compiled into this test: the
// preview's picture alone, full screen each asset in the context that uses it, the textures
// of both contexts, a banner resource of the wrong size, and the deletion afterwards.
#include "assets/asset_loading.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/frame_clock.h"
#include "assets/light.h"
#include "assets/model.h"
#include "assets/resource_data.h"
#include "assets/texture.h"
#include "gl/pbuffer.h"
#include "resource_ids.h"
#include "scene/glyph_rain.h"
#include "scene/screen_passes.h"
#include "support/fake_ticks.h"
#include "support/full_screen_run.h"
#include "support/picture_file.h"

namespace {

// The bytes of one RCDATA resource of this executable.
std::vector<unsigned char> ResourceBytes(int id) {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!FindResourceData(GetModuleHandleA(nullptr), id, &data, &size)) return {};
    return std::vector<unsigned char>(data, data + size);
}

// The bound texture's image and size in the current context.
struct TextureImage {
    GLint width = -1;
    GLint height = -1;
    std::vector<unsigned char> pixels;
};
TextureImage BoundImage(GLenum format) {
    TextureImage image;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    if (image.width > 0 && image.height > 0) {
        image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, image.pixels.data());
    }
    return image;
}

bool EntryBuffer(Texture* entry, const std::vector<unsigned char>& pixels) {
    const size_t bytes = static_cast<size_t>(entry->width) * entry->height * 4;
    return pixels.size() == bytes && std::memcmp(entry->pixels, pixels.data(), bytes) == 0;
}

TEST(PreviewLoad, MakesOnlyThePreviewPictureWithReplace) {
    const int width = 152, height = 112 + GetSystemMetrics(SM_CYMENU);
    GlContext gl(width, height);
    ASSERT_TRUE(gl.ok()) << gl.failure();
    UseAsPreviewWindow(gl, width, height);
    gmInitGLState();

    ASSERT_EQ(gmLoadStuff(), 1);
    EXPECT_EQ(wglGetCurrentContext(), gl.context());
    // The root and one entry under it, nothing else: no light, model, rain or pbuffer.
    Texture* root = app.textureRoot;
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->is_root);
    ASSERT_NE(root->right, nullptr);
    EXPECT_EQ(root->left, nullptr);
    Texture* picture = root->right;
    EXPECT_STREQ(picture->name, "ASmallTexture1.jpg");
    EXPECT_EQ(picture->left, nullptr);
    EXPECT_EQ(picture->right, nullptr);
    EXPECT_EQ(picture->width, 256);
    EXPECT_EQ(picture->height, 128);
    EXPECT_EQ(app.lightList, nullptr);
    EXPECT_EQ(app.modelRoot, nullptr);
    EXPECT_EQ(app.glyphRain, nullptr);
    EXPECT_EQ(app.pbuffer.handle, nullptr);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_REPLACE);

    // The preview as the small monitor shows it: the picture's shown corner, undimmed, below a
    // strip the pass leaves undrawn.
    FrameCapture frames;
    ASSERT_TRUE(frames.ok());
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(gmPreview());
    const scene::Picture& shown = frames.last();
    ASSERT_EQ(shown.width, width);
    SavePicture("preview_window", shown.rgb.data(), shown.width, shown.height, 3, true);
    const int pictureTop = static_cast<int>(height * (1.0 - 0.83036) / 2.0 + 0.5);
    for (int x = 0; x < width; x += 10)
        EXPECT_TRUE(scene::Near(shown.at(x, pictureTop - 2), {255, 0, 255}, 0)) << x;
    // Mean colours of the drawn part and of the picture's shown 152 x 112 texels agree.
    double drawn[3] = {}, texels[3] = {};
    for (int y = pictureTop + 1; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) drawn[c] += shown.rgb[(static_cast<size_t>(y) * width + x) * 3 + c];
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 152; ++x)
            for (int c = 0; c < 3; ++c) texels[c] += picture->pixels[(static_cast<size_t>(y) * 256 + x) * 4 + c];
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(drawn[c] / ((height - pictureTop - 1) * width), texels[c] / (152 * 112), 4.0)
            << "channel " << c;
    }
    gmFreeStuff();
    EXPECT_EQ(app.textureRoot, nullptr);
}

class FullScreenLoad : public FullScreenRun {};

TEST_F(FullScreenLoad, WindowContextHoldsTheModelItsTexturesTheBannerAndTheLight) {
    ASSERT_EQ(gmLoadStuff(), 1);
    EXPECT_EQ(wglGetCurrentContext(), app.renderContext);
    EXPECT_EQ(wglGetCurrentDC(), app.windowDC);
    Texture* textures = app.textureRoot;
    ASSERT_NE(textures, nullptr);

    // The casing atlas from its resource, although the model asked for the name from disk.
    Texture* atlas = textures->find("Texture1.jpg");
    ASSERT_NE(atlas, nullptr);
    const std::vector<unsigned char> jpeg = ResourceBytes(IDR_TEXTURE1_JPG);
    int width = 0, height = 0;
    unsigned char* decoded = Texture::load_jpeg("Texture1.jpg", &width, &height, jpeg.data(),
                                                static_cast<int>(jpeg.size()));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 512);
    const std::vector<unsigned char> decodedPixels(decoded, decoded + 512 * 512 * 4);
    delete[] decoded;
    EXPECT_TRUE(EntryBuffer(atlas, decodedPixels));
    textures->bind("Texture1.jpg");
    const TextureImage atlasImage = BoundImage(GL_RGBA);
    EXPECT_EQ(atlasImage.width, 512);
    EXPECT_TRUE(atlasImage.pixels == decodedPixels);

    ASSERT_NE(app.modelRoot, nullptr);
    const Model* model = app.modelRoot->find("output.gxu");
    ASSERT_NE(model, nullptr);
    EXPECT_GE(model->frame_count, 1);
    EXPECT_EQ(model->textures, textures);
    EXPECT_EQ(model->lights, app.lightList);

    // The screen's entry has no image of its own and filters linearly.
    Texture* screen = textures->find("Screen.tga");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->width, 0);
    EXPECT_EQ(screen->height, 0);
    textures->bind("Screen.tga");
    GLint minFilter = 0, magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);

    // The banner: the resource's pixels in order, each with alpha 255, uploaded as they are.
    Texture* banner = textures->find("GM.raw");
    ASSERT_NE(banner, nullptr);
    ASSERT_EQ(banner->width, 256);
    ASSERT_EQ(banner->height, 32);
    const std::vector<unsigned char> raw = ResourceBytes(IDR_BANNER_RAW);
    ASSERT_EQ(raw.size(), 24576u);
    std::vector<unsigned char> expected;
    for (size_t i = 0; i < raw.size(); i += 3) expected.insert(expected.end(), {raw[i], raw[i + 1], raw[i + 2], 255});
    int opaque = 0;
    for (int i = 0; i < 256 * 32; ++i) opaque += banner->pixels[4 * i + 3] == 255 ? 1 : 0;
    EXPECT_EQ(opaque, 256 * 32);
    EXPECT_EQ(std::memcmp(banner->pixels, expected.data(), 256 * 4), 0) << "first row";
    EXPECT_TRUE(EntryBuffer(banner, expected));
    textures->bind("GM.raw");
    EXPECT_TRUE(BoundImage(GL_RGBA).pixels == expected);

    EXPECT_NE(textures->find("desktop.bmp"), nullptr);

    // GL_LIGHT1, its direction fixed in eye coordinates.
    ASSERT_NE(app.lightList, nullptr);
    EXPECT_NE(app.lightList->find("light1.gxl"), nullptr);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    GLfloat position[4] = {};
    glGetLightfv(GL_LIGHT1, GL_POSITION, position);
    EXPECT_FLOAT_EQ(position[0], 5.0f);
    EXPECT_FLOAT_EQ(position[1], 0.0f);
    EXPECT_FLOAT_EQ(position[2], 1.0f);
    EXPECT_FLOAT_EQ(position[3], 0.0f);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE) << "the window context keeps the default";
}

TEST_F(FullScreenLoad, PbufferContextHoldsTheGlyphStripAndTheMessageAndTheRainStartsAtZero) {
    // The frame clock and the rain start at the loading, on the program's tick source.
    FakeTickSource ticks(0xFFFFFF00u);
    ASSERT_EQ(gmLoadStuff(), 1);
    ticks.set(0xFFFFFF00u + 1200u);
    EXPECT_FLOAT_EQ(gmGetTime(0), 1.2f);
    ASSERT_NE(app.glyphRain, nullptr);
    EXPECT_EQ(app.glyphRain->columnCount, 10);
    app.glyphRain->update();
    EXPECT_FLOAT_EQ(app.glyphRain->now, 1.2f);

    const struct {
        const char* name;
        int width, height;
    } bitmaps[] = {{"font.bmp", 512, 16}, {"SYSFAIL.bmp", 128, 32}};
    ASSERT_TRUE(wglMakeCurrent(app.pbuffer.dc, app.pbuffer.context));
    for (const auto& b : bitmaps) {
        Texture* entry = app.textureRoot->find(b.name);
        ASSERT_NE(entry, nullptr) << b.name;
        EXPECT_EQ(entry->width, b.width) << b.name;
        EXPECT_EQ(entry->height, b.height) << b.name;
        EXPECT_TRUE(glIsTexture(entry->gl_name)) << b.name;
        app.textureRoot->bind(b.name);
        // The bitmaps' buffers hold B, G, R, A.
        const TextureImage image = BoundImage(GL_BGRA_EXT);
        EXPECT_EQ(image.width, b.width) << b.name;
        EXPECT_EQ(image.height, b.height) << b.name;
        EXPECT_TRUE(EntryBuffer(entry, image.pixels)) << b.name;
    }
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    ASSERT_TRUE(wglMakeCurrent(app.windowDC, app.renderContext));
}

// Where the driver lets the two contexts share, the pbuffer's textures bind in the window
// context too. Wine shares only while one of the pair has never been current, which
// init_pbuffer's context has been; a fresh context on the pbuffer stands in for it here.
TEST_F(FullScreenLoad, PbufferTexturesBindInTheWindowContextWhereTheContextsShare) {
    HGLRC used = app.pbuffer.context;
    app.pbuffer.context = wglCreateContext(app.pbuffer.dc);
    ASSERT_NE(app.pbuffer.context, nullptr);
    ASSERT_EQ(gmLoadStuff(), 1);
    wglDeleteContext(used);
    ASSERT_EQ(wglGetCurrentContext(), app.renderContext);
    for (const char* name : {"font.bmp", "SYSFAIL.bmp"}) {
        Texture* entry = app.textureRoot->find(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_TRUE(glIsTexture(entry->gl_name)) << name;
        app.textureRoot->bind(name);
        const TextureImage image = BoundImage(GL_BGRA_EXT);
        EXPECT_EQ(image.width, entry->width) << name;
        EXPECT_TRUE(EntryBuffer(entry, image.pixels)) << name;
    }
}

// The program's own order, in which Wine does not share: the monitor screen is drawn with the
// pbuffer's own textures and reaches the window context through render-to-texture alone.
TEST_F(FullScreenLoad, MonitorScreenNeedsNoSharedTextures) {
    ASSERT_EQ(gmLoadStuff(), 1);
    auto screenPicture = [] {
        app.textureRoot->bind("Screen.tga");
        return BoundImage(GL_RGBA);
    };
    gmRenderScreen();
    const TextureImage rain = screenPicture();
    ASSERT_EQ(rain.width, 512);
    int green = 0, white = 0;
    for (size_t i = 0; i < rain.pixels.size(); i += 4) {
        const scene::Rgb c = {rain.pixels[i], rain.pixels[i + 1], rain.pixels[i + 2]};
        green += scene::IsGlyphGreen(c) ? 1 : 0;
        white += scene::IsWhite(c) ? 1 : 0;
    }
    EXPECT_GT(green, 500) << "the rain's glyph strip did not draw";
    EXPECT_GT(white, 20) << "no white heads";

    app.exitStarted = 1;
    gmRenderScreen();
    const TextureImage message = screenPicture();
    SavePicture("screen_failure_message", message.pixels.data(), 512, 512);
    // The message: 208 x 40 pixels around the centre, green letters on black; the rain around
    // it as it was.
    int letters = 0, changedOutside = 0;
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            const size_t i = (static_cast<size_t>(y) * 512 + x) * 4;
            const bool inside = x >= 152 && x < 360 && y >= 236 && y < 276;
            if (inside) {
                letters += message.pixels[i + 1] >= 170 && message.pixels[i] <= 60 ? 1 : 0;
            } else if (std::memcmp(&message.pixels[i], &rain.pixels[i], 3) != 0) {
                ++changedOutside;
            }
        }
    }
    EXPECT_GT(letters, 600);
    EXPECT_EQ(changedOutside, 0);
}

// Modules standing in for the program's: the banner one byte short, one byte longer, absent.
TEST_F(FullScreenLoad, BannerResourceOfTheWrongSize) {
    const struct {
        const char* module;
        int result;
    } cases[] = {{"banner_short.dll", 0}, {"banner_none.dll", 0}, {"banner_long.dll", 1}};
    for (const auto& c : cases) {
        HMODULE module = LoadLibraryA(c.module);
        ASSERT_NE(module, nullptr) << c.module;
        app.instance = module;
        EXPECT_EQ(gmLoadStuff(), c.result) << c.module;
        EXPECT_EQ(wglGetCurrentContext(), app.renderContext) << c.module;
        Texture* banner = app.textureRoot->find("GM.raw");
        ASSERT_NE(banner, nullptr) << "made empty before the resource is read: " << c.module;
        if (c.result == 0) {
            // Nothing after the banner: no pbuffer textures, no rain.
            EXPECT_EQ(app.textureRoot->find("font.bmp"), nullptr) << c.module;
            EXPECT_EQ(app.glyphRain, nullptr) << c.module;
            EXPECT_EQ(std::vector<unsigned char>(banner->pixels, banner->pixels + 4 * 256 * 32),
                      std::vector<unsigned char>(4 * 256 * 32, 0)) << c.module;
        } else {
            // The first 24576 bytes, 'R', 'G', 'B' over and over, make the picture.
            int wrong = 0;
            for (int i = 0; i < 256 * 32; ++i) {
                const unsigned char* p = banner->pixels + 4 * i;
                wrong += (p[0] != 'R' || p[1] != 'G' || p[2] != 'B' || p[3] != 255) ? 1 : 0;
            }
            EXPECT_EQ(wrong, 0) << c.module;
            EXPECT_NE(app.glyphRain, nullptr) << c.module;
        }
        gmFreeStuff();
        FreeLibrary(module);
        // The desktop capture is used up by each load.
        CaptureKnownDesktop(kWidth, kHeight);
    }
}

TEST_F(FullScreenLoad, FreeStuffDeletesWhatExistsAndLeavesNothingBehind) {
    gmFreeStuff();  // nothing made yet
    ASSERT_EQ(gmLoadStuff(), 1);
    gmFreeStuff();
    EXPECT_EQ(app.textureRoot, nullptr);
    EXPECT_EQ(app.lightList, nullptr);
    EXPECT_EQ(app.modelRoot, nullptr);
    EXPECT_EQ(app.glyphRain, nullptr);
    gmFreeStuff();
}

}  // namespace
