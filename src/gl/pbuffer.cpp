// The off-screen 512 x 512 target and its render-to-texture cycle.
#include "gl/pbuffer.h"

#include "app/app_state.h"
#include "app/error_report.h"
#include "app/step_seam.h"
#include "gl/wgl_extensions.h"

namespace {

// Any format that can be drawn into off screen and bound as an RGBA texture will do; the
// first one the driver lists is taken.
int ChoosePbufferFormat(HDC reference) {
    const int attributes[] = {WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0};
    const float noFloatAttributes[] = {0.0f, 0.0f};
    int formats[256] = {};
    UINT count = 0;
    if (!wgl.wglChoosePixelFormatARB(reference, attributes, noFloatAttributes, 256, formats,
                                     &count) ||
        count == 0)
        return 0;
    return formats[0];
}

// The pbuffer context draws flat pictures in normalized device coordinates.
void SetPbufferState() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
}

}  // namespace

bool init_pbuffer(Pbuffer* pbuffer, int width, int height) {
    *pbuffer = Pbuffer{};
    HDC reference = wglGetCurrentDC();

    const int format = ChoosePbufferFormat(reference);
    if (format == 0) return false;
    // Not the largest available: a driver that cannot give the full size must fail here.
    const int attributes[] = {WGL_TEXTURE_FORMAT_ARB, WGL_TEXTURE_RGBA_ARB,
                              WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB,
                              WGL_MIPMAP_TEXTURE_ARB, 0,
                              WGL_PBUFFER_LARGEST_ARB, 0,
                              0};
    pbuffer->handle = wgl.wglCreatePbufferARB(reference, format, width, height, attributes);
    if (pbuffer->handle == nullptr) return false;
    pbuffer->dc = wgl.wglGetPbufferDCARB(pbuffer->handle);
    if (pbuffer->dc == nullptr) return false;
    pbuffer->context = wglCreateContext(pbuffer->dc);
    if (pbuffer->context == nullptr) return false;
    wgl.wglQueryPbufferARB(pbuffer->handle, WGL_PBUFFER_WIDTH_ARB, &pbuffer->width);
    wgl.wglQueryPbufferARB(pbuffer->handle, WGL_PBUFFER_HEIGHT_ARB, &pbuffer->height);

    if (StepForcedToFail(RunStep::ActivatePbuffer) ||
        !wglMakeCurrent(pbuffer->dc, pbuffer->context)) {
        ShowError("Error", "Cannot activate Pbuffer");
        return false;
    }
    SetPbufferState();
    wglMakeCurrent(app.windowDC, app.renderContext);
    return true;
}

void destroy_pbuffer() {
    const Pbuffer& p = app.pbuffer;
    if (p.context != nullptr) wglDeleteContext(p.context);
    if (p.handle != nullptr && p.dc != nullptr) wgl.wglReleasePbufferDCARB(p.handle, p.dc);
    if (p.handle != nullptr) wgl.wglDestroyPbufferARB(p.handle);
}

bool gmRenderToPbuffer(PbufferDraw draw, void* user) {
    const Pbuffer& p = app.pbuffer;
    if (p.handle == nullptr) return false;
    // While bound to the texture the pbuffer must not be drawn into; a failed release leaves
    // the previous picture on the texture for this frame.
    if (!wgl.wglReleaseTexImageARB(p.handle, WGL_FRONT_LEFT_ARB)) return false;
    wglMakeCurrent(p.dc, p.context);
    draw(user);
    wglMakeCurrent(app.windowDC, app.renderContext);
    wgl.wglBindTexImageARB(p.handle, WGL_FRONT_LEFT_ARB);
    return true;
}
