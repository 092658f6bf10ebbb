// The model's silhouette: the model drawn flattened by the shadow matrix into the stencil
// buffer only, then every marked pixel darkened to 60 % by a full-screen strip of 40 % black.
// GL contract: expects GL_MODELVIEW current with the scene's view, both matrices saved by the
// caller, the resting state, and a stencil buffer of 0. Leaves GL_PROJECTION current with both
// matrices at identity (the caller pops them), the current colour (0, 0, 0, 0.4), the last
// material's texture bound and the stencil at 1 on the marked pixels; everything else as on
// entry. An absent model or light makes no OpenGL call.
#include "assets/model.h"

#include "assets/light.h"
#include "scene/shadow_matrix.h"

namespace {

// z = -100, well behind everything, as a, b, c, d of a x + b y + c z + d = 0.
const float kShadowPlane[4] = {0.0f, 0.0f, 1.0f, 100.0f};

}  // namespace

int Model::draw_shadow(const char* model_name, const char* light_name, int frame) {
    Model* model = find(model_name);
    if (model == nullptr) return 0;
    Light* light = lights != nullptr ? lights->find(light_name) : nullptr;
    if (light == nullptr) return 0;

    const float toward_light[4] = {light->applied_direction[0], light->applied_direction[1],
                                   light->applied_direction[2], 1.0f};
    float flatten[16];
    shadow_matrix(kShadowPlane, toward_light, flatten);
    glMultMatrixf(flatten);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_STENCIL_BUFFER_BIT |
                 GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT);

    // Marking: every pixel either face of the flattened model covers gets stencil 1, whatever
    // the depth buffer holds; no colour and no depth is written.
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDisable(GL_CULL_FACE);
    glShadeModel(GL_FLAT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFFFFFFFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    model->draw(model_name, frame);

    // Darkening: black at alpha 0.4 over the marked pixels only.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glColor4f(0.0f, 0.0f, 0.0f, 0.4f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glStencilFunc(GL_NOTEQUAL, 0, 0xFFFFFFFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glEnd();

    glPopAttrib();
    return 0;
}
