// A small software rasteriser that draws the model as the program does: the 40 degree
// perspective, per-vertex lighting by the one directional light fixed in eye space, textures
// sampled bilinearly and modulated, back faces culled, and the half-size stencil silhouette
// that darkens the background to 60 %.
#pragma once

#include <vector>

#include "image.h"
#include "mesh.h"

namespace assetgen {

// Column-major 4 x 4 matrix, as OpenGL keeps it.
struct Mat4 {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};
Mat4 operator*(const Mat4& a, const Mat4& b);
Mat4 Translation(double x, double y, double z);
// A rotation by `degrees` about the axis, as glRotate makes it.
Mat4 Rotation(double degrees, double x, double y, double z);
// The matrix that flattens the model onto the plane z = -100 along the light, as the
// silhouette pass builds it from the light's direction (5, 0, 1).
Mat4 ShadowMatrix();

struct View {
    int width = 0;
    int height = 0;
    int supersample = 4;      // samples per pixel along each axis
    double aspect = 0;        // of the projection; 0: width / height
    Mat4 modelview;           // camera x sway (or any turn of the model)
    bool silhouette = false;  // darken the background under the flattened model
};

// The program's camera at time t = 0: a translation by (0, 1.3, -12).
Mat4 ProgramCamera();

// Draws the model over `background` (width x height). textures[m] is material m's texture,
// its first row at t = 0.
Image Render(const Mesh& mesh, const std::vector<MaterialRecord>& materials,
             const std::vector<const Image*>& textures, const Image& background, const View& view);

}  // namespace assetgen
