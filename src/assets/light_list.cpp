// The light list and the lights' rotations, apart from OpenGL so that they build natively.
#include "assets/light.h"

#include <cmath>
#include <cstring>
#include <new>

LightDesc lightDesc;

void gmSetLightDefaults() {
    lightDesc.type = LIGHT_DIRECTIONAL;
    for (int i = 0; i < 3; ++i) {
        lightDesc.ambient[i] = 0.3f;
        lightDesc.diffuse[i] = 1.0f;
        lightDesc.specular[i] = 1.0f;
    }
    lightDesc.direction[0] = 5.0f;
    lightDesc.direction[1] = 0.0f;
    lightDesc.direction[2] = 1.0f;
}

Light::Light(unsigned char is_root_flag) : is_root(is_root_flag), name(new char[kNameCapacity]()) {}

Light::~Light() {
    // Iteratively, so that a long list cannot exhaust the stack.
    Light* rest = next;
    while (rest != nullptr) {
        Light* following = rest->next;
        rest->next = nullptr;
        delete rest;
        rest = following;
    }
    delete[] name;
}

Light* Light::find_numbered(const char* key, int start_count, int* number) {
    if (key == nullptr) return nullptr;
    int count = start_count;
    for (Light* node = this; node != nullptr; node = node->next, ++count) {
        if (!node->is_root && std::strcmp(node->name, key) == 0) {
            if (number != nullptr) *number = count;
            return node;
        }
    }
    return nullptr;
}

Light* Light::find(const char* key) { return find_numbered(key, 0, nullptr); }

int Light::add(const char* key, const LightDesc& desc) {
    if (key == nullptr || std::strlen(key) >= static_cast<size_t>(kNameCapacity)) return 0;
    if (find(key) != nullptr) return 0;
    Light* last = this;
    while (last->next != nullptr) last = last->next;
    Light* light = new (std::nothrow) Light(0);
    if (light == nullptr) return 0;
    last->next = light;
    std::memcpy(light->name, key, std::strlen(key) + 1);
    light->type = desc.type;
    std::memcpy(light->ambient, desc.ambient, sizeof light->ambient);
    std::memcpy(light->diffuse, desc.diffuse, sizeof light->diffuse);
    std::memcpy(light->specular, desc.specular, sizeof light->specular);
    if (desc.type == LIGHT_DIRECTIONAL) {
        std::memcpy(light->direction, desc.direction, sizeof light->direction);
    } else if (desc.type == LIGHT_POINT) {
        std::memcpy(light->position, desc.position, sizeof light->position);
    }
    return 1;
}

void Light::update_applied() {
    double turned[4] = {};
    if (type == LIGHT_DIRECTIONAL) {
        const double vector[4] = {direction[0], direction[1], direction[2], 1.0};
        RotateLightVector(rotation, vector, turned);
        for (int i = 0; i < 3; ++i) applied_direction[i] = static_cast<float>(turned[i]);
        applied_direction[3] = 0.0f;
    } else if (type == LIGHT_POINT) {
        const double vector[4] = {position[0], position[1], position[2], position[3]};
        RotateLightVector(rotation, vector, turned);
        for (int i = 0; i < 4; ++i) applied_position[i] = static_cast<float>(turned[i]);
    }
}

namespace {

using Matrix = double[4][4];

// A right-handed rotation by degrees about one axis (0 X, 1 Y, 2 Z), as a 4 x 4 matrix.
void AxisRotation(int axis, double degrees, Matrix out) {
    const double radians = degrees * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int a = (axis + 1) % 3;  // the two axes that turn, in right-handed order
    const int b = (axis + 2) % 3;
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col) out[r][col] = r == col ? 1.0 : 0.0;
    out[a][a] = c;
    out[a][b] = -s;
    out[b][a] = s;
    out[b][b] = c;
}

void Multiply(const Matrix left, const Matrix right, Matrix out) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += left[r][k] * right[k][c];
            out[r][c] = sum;
        }
}

}  // namespace

void RotateLightVector(const float rotation[3], const double in[4], double out[4]) {
    Matrix x, y, z, zy, r;
    AxisRotation(0, rotation[0], x);
    AxisRotation(1, rotation[1], y);
    AxisRotation(2, rotation[2], z);
    // The vector is turned about X first, so X's matrix stands rightmost.
    Multiply(z, y, zy);
    Multiply(zy, x, r);
    for (int row = 0; row < 4; ++row) {
        double sum = 0.0;
        for (int k = 0; k < 4; ++k) sum += r[row][k] * in[k];
        out[row] = sum;
    }
}
