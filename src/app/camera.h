// The projection, the fixed camera and its slow sway.
#pragma once

// A symmetric perspective of fovy degrees (vertical), through gmSetFrustum.
void gmSetPerspective(double fovy, double aspect, double zNear, double zFar, double jitterX,
                      double jitterY, double eyeX, double eyeY, double focus);
// glFrustum shifted by a jitter in pixels and an eye offset at the focus distance.
void gmSetFrustum(double left, double right, double bottom, double top, double zNear,
                  double zFar, double jitterX, double jitterY, double eyeX, double eyeY,
                  double focus);
// Loads the camera into the model-view matrix (a translation by (0, 1.3, -12) in effect).
void gmSetCamera();
// Loads the sway of time t (seconds) into the model-view matrix and reads it back into sway.
void gmSetSway(float t, float sway[16]);
