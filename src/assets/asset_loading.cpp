// The one-time loading of every asset from the program's resources, in both contexts, and the
// deletion of the scene objects after the frame loop.
#include "assets/asset_loading.h"

#include <windows.h>
#include <GL/gl.h>

#include <new>

#include "app/app_state.h"
#include "app/desktop.h"
#include "app/frame_clock.h"
#include "assets/banner_pixels.h"
#include "assets/light.h"
#include "assets/model.h"
#include "assets/resource_data.h"
#include "assets/texture.h"
#include "resource_ids.h"
#include "scene/glyph_rain.h"

namespace {

// The rain reads the frame clock's millisecond counter, through a plain function: the tick
// source has the WINAPI calling convention, which differs on 32-bit Windows.
unsigned long RainTicks() { return tickSource(); }

// "GM.raw": an empty 256 x 32 entry filled from RCDATA IDR_BANNER_RAW and uploaded. False when
// the resource is missing or holds less than the whole picture; a longer one is taken and only
// its first 24576 bytes are read.
bool LoadBanner() {
    Texture* textures = app.textureRoot;
    textures->create_empty("GM.raw", kBannerWidth, kBannerHeight, 4);
    unsigned char* pixels = textures->find_pixels("GM.raw");
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!FindResourceData(app.instance, IDR_BANNER_RAW, &data, &size) || pixels == nullptr ||
        !ExpandBannerPixels(data, size, pixels))
        return false;
    textures->upload("GM.raw");
    return true;
}

// Full screen, after the texture root: everything else, in its order and contexts.
int LoadFullScreenStuff() {
    // The pbuffer context shares the window context's texture objects where the driver allows
    // it. Nothing depends on it: each context binds only the textures made in it, and the
    // pbuffer's picture reaches the window context through render-to-texture.
    wglShareLists(app.renderContext, app.pbuffer.context);
    gmLoadDesktop();

    app.lightList = new (std::nothrow) Light(1);
    if (app.lightList == nullptr) return 0;
    gmSetLightDefaults();
    app.lightList->add("light1.gxl", lightDesc);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Under the identity modelview the light's direction is fixed in eye coordinates for the
    // whole run.
    app.lightList->apply("light1.gxl", -1);

    app.modelRoot = new (std::nothrow) Model(1, app.textureRoot, app.lightList);
    if (app.modelRoot == nullptr) return 0;
    // Before the model, so that its material's request for this name finds the picture made.
    app.textureRoot->create_from_resource("Texture1.jpg", IDR_TEXTURE1_JPG, app.instance);
    if (!app.modelRoot->create_from_resource("output.gxu", IDR_MODEL)) return 0;

    // After the model: the screen material binds this entry, whose image is the pbuffer.
    app.textureRoot->create_empty("Screen.tga", 0, 0, 4);
    app.textureRoot->bind("Screen.tga");
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    if (!LoadBanner()) return 0;

    // The glyph strip and the failure message belong to the pbuffer context, which draws them.
    wglMakeCurrent(app.pbuffer.dc, app.pbuffer.context);
    app.textureRoot->create_from_resource("font.bmp", IDB_FONT, app.instance);
    app.textureRoot->create_from_resource("SYSFAIL.bmp", IDB_SYSFAIL, app.instance);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    wglMakeCurrent(app.windowDC, app.renderContext);

    // The animation starts at 0 with the first frame.
    gmGetTime(1);
    app.glyphRain = new (std::nothrow) GlyphRain(10, RainTicks);
    return app.glyphRain != nullptr ? 1 : 0;
}

}  // namespace

// GL contract: expects the window context current. The preview leaves GL_REPLACE in it. Full
// screen leaves both of its matrices at identity with GL_PROJECTION selected, GL_LIGHT1 set up
// and enabled, "GM.raw" bound and the texture environment at OpenGL's GL_MODULATE; the pbuffer
// context gets GL_MODULATE set. Returns with the window context current, also on failure.
int gmLoadStuff() {
    app.textureRoot = new (std::nothrow) Texture();
    if (app.textureRoot == nullptr) return 0;
    if (app.runMode == RunMode::Preview) {
        // The preview shows one still picture, as it is, in its own context.
        app.textureRoot->create_from_resource("ASmallTexture1.jpg", IDR_SMALL_TEXTURE_JPG,
                                              app.instance);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        return 1;
    }
    return LoadFullScreenStuff();
}

void gmFreeStuff() {
    if (app.runMode != RunMode::Preview && app.runMode != RunMode::Saver) return;
    delete app.textureRoot;
    app.textureRoot = nullptr;
    if (app.runMode != RunMode::Saver) return;
    delete app.lightList;
    app.lightList = nullptr;
    delete app.modelRoot;
    app.modelRoot = nullptr;
    delete app.glyphRain;
    app.glyphRain = nullptr;
}
