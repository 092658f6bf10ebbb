// The projection, the fixed camera and its slow sway.
#include "app/camera.h"

#include <windows.h>
#include <GL/gl.h>

#include <cmath>

namespace {

// Column-major, as glLoadMatrixf takes it: a +90 degree turn about y and the eye offset;
// gmSetCamera undoes the turn, leaving the translation.
const GLfloat kCameraMatrix[16] = {
    0.0f, 0.0f, -1.0f, 0.0f,
    0.0f, 1.0f, 0.0f, 0.0f,
    1.0f, 0.0f, 0.0f, 0.0f,
    0.0f, 1.3f, -12.0f, 1.0f,
};

float Degrees(float radians) { return radians * 180.0f / 3.1415927f; }

}  // namespace

void gmSetPerspective(double fovy, double aspect, double zNear, double zFar, double jitterX,
                      double jitterY, double eyeX, double eyeY, double focus) {
    const double pi = 3.14159265358979323846;
    const double half = fovy * pi / 180.0 / 2.0;
    const double top = zNear / (std::cos(half) / std::sin(half));
    const double right = top * aspect;
    gmSetFrustum(-right, right, -top, top, zNear, zFar, jitterX, jitterY, eyeX, eyeY, focus);
}

void gmSetFrustum(double left, double right, double bottom, double top, double zNear,
                  double zFar, double jitterX, double jitterY, double eyeX, double eyeY,
                  double focus) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double dx = -(jitterX * (right - left) / viewport[2] + eyeX * zNear / focus);
    const double dy = -(jitterY * (top - bottom) / viewport[3] + eyeY * zNear / focus);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(left + dx, right + dx, bottom + dy, top + dy, zNear, zFar);
}

void gmSetCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(kCameraMatrix);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
}

void gmSetSway(float t, float sway[16]) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(Degrees(0.25f * std::sin(t / 2.0f)), 0.0f, 1.0f, 0.0f);
    glRotatef(Degrees(0.15f * std::sin(t / 3.0f)), 0.0f, 0.0f, 1.0f);
    glRotatef(Degrees(0.08f * std::sin(t / 5.0f)), 1.0f, 0.0f, 0.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, sway);
}
