// Light: a named light in the creation-ordered list that maps each light onto an OpenGL light
// (GL_LIGHT1 for the first), and LightDesc, the description a light is made from.
// Portable header: the list and the rotations build natively (light_list.cpp); only
// Light::apply, which sets the OpenGL light up, needs OpenGL (light.cpp).
#pragma once

constexpr int LIGHT_DIRECTIONAL = 0;
constexpr int LIGHT_POINT = 1;

struct LightDesc {
    int type;
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float position[4];
    float direction[3];
};

// The program's one description, in static storage: all zero until gmSetLightDefaults.
extern LightDesc lightDesc;
// Fills lightDesc for "light1.gxl": a white directional light from (5, 0, 1) with an ambient
// of 0.3 grey. Only the colours' R, G and B are written; their alphas stay 0.
void gmSetLightDefaults();

class Light {
public:
    static constexpr int kNameCapacity = 512;  // names are at most 511 characters

    // A node holding the empty name; the list's root when is_root_flag is 1.
    explicit Light(unsigned char is_root_flag);
    // Destroys the rest of the list after this node, then frees the name.
    ~Light();
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Appends a light made from desc; 0 and no change when the name is present, null, or
    // longer than 511 characters.
    int add(const char* key, const LightDesc& desc);
    // The light of that name; null when absent. The root is never matched.
    Light* find(const char* key);
    // Sets up and enables the light's OpenGL light, GL_LIGHT1 + its number; 0 and no OpenGL
    // call when the name is absent. Every caller passes start_count -1.
    int apply(const char* key, int start_count);

    // The light of that name and, in *number, its count along the list when this node counts
    // start_count and each step adds 1; null when absent.
    Light* find_numbered(const char* key, int start_count, int* number);
    // The stored direction (directional) or position (point light) turned by rotation into
    // applied_direction or applied_position.
    void update_applied();

    unsigned char is_root;
    char* name;             // kNameCapacity bytes, zero-terminated
    Light* next = nullptr;  // lights are appended at the end
    float rotation[3] = {};  // degrees about X, Y and Z, applied in that order
    float direction[3] = {};
    float position[4] = {};
    int type = 0;
    float ambient[4] = {};
    float diffuse[4] = {};
    float specular[4] = {};
    float applied_position[4] = {};   // last given to OpenGL (point light)
    float applied_direction[4] = {};  // last given to OpenGL (directional); fourth component 0
};

// out = R x in, with R the rotation about X by rotation[0] degrees, then about Y by
// rotation[1], then about Z by rotation[2], each counter-clockwise seen from the positive
// axis. In double precision.
void RotateLightVector(const float rotation[3], const double in[4], double out[4]);
