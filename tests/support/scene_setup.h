// The program's full-screen 3D set-up on a test context, as start-up and the frame leave it
// for the silhouette and the model: the resting GL state, "light1.gxl" applied under identity
// matrices, textures for the test models' materials, the 40-degree perspective and the camera.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include <vector>

#include "app/camera.h"
#include "assets/light.h"
#include "assets/texture.h"
#include "gl/context.h"
#include "support/full_screen_app.h"
#include "support/gl_window.h"

inline void SetUpFullScreenScene(const GlContext& gl, int width, int height, Light* lights) {
    UseAsFullScreenWindow(gl);
    app.screenWidth = width;
    app.screenHeight = height;
    gmInitGLState();
    gmSetLightDefaults();
    lights->add("light1.gxl", lightDesc);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    lights->apply("light1.gxl", -1);
}

// A 2 x 2 texture of the given R, G, B, A pixels, made and uploaded under name.
inline void MakeTestTexture(Texture* textures, const char* name,
                            const std::vector<unsigned char>& rgba) {
    textures->create_empty(name, 2, 2, 4);
    unsigned char* pixels = textures->find_pixels(name);
    for (size_t i = 0; pixels != nullptr && i < 16 && i < rgba.size(); ++i) pixels[i] = rgba[i];
    textures->upload(name);
}

// The frame's projection and view: gmSetPerspective(40, ...) and the camera, GL_MODELVIEW current.
inline void LoadSceneView(int width, int height) {
    gmSetPerspective(40.0, static_cast<double>(width) / height, 0.5, 100.0, 0, 0, 0, 0, 1);
    gmSetCamera();
}

// One integer of OpenGL state, -1 when the query gave none.
inline GLint GlInteger(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

// The colour buffer, 4 bytes a pixel, bottom row first.
inline std::vector<unsigned char> ReadColour(int width, int height) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}
