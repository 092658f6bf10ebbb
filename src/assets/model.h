// Model: one loaded GXU model as a node of the name-ordered model tree, with a vertex buffer per
// frame and an index buffer per material and frame where the driver has buffer objects.
// Loading is model.cpp and model_buffers.cpp; drawing and the silhouette are in scene/.
#pragma once

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>

#include "assets/gxu_format.h"

class Light;
class Texture;

class Model {
public:
    static constexpr int kNameCapacity = 512;  // names are at most 511 characters

    // An empty node; the tree's root when is_root_flag is 1. Runs check_vbo, so the
    // rendering context in which the model is to be drawn must be current.
    Model(unsigned char is_root_flag, Texture* texture_root, Light* light_list);
    // Destroys the right subtree, then the left one, then the arrays. Buffer objects are left
    // to end with their rendering context.
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Loads the RCDATA resource of the program's own module into a model of that name. 0 when
    // the name is present (or longer than 511 characters); otherwise 1, even when the resource
    // is missing or refused as a GXU file, which leaves the name without a model.
    int create_from_resource(const char* key, int resource_id);
    // The same from GXU bytes in memory, for developer tools that read a model file.
    int create_from_memory(const char* key, const unsigned char* data, std::size_t size);
    // The model of that name by the descent rule; null when absent (the root never matches).
    Model* find(const char* key);
    // The loader: a new node for the resource, or null when it is missing or refused.
    Model* read_gxu(const char* key, int resource_id);
    // The loader over bytes: the parse, the material textures, the buffer objects.
    Model* read_gxu_data(const char* key, const unsigned char* data, std::size_t size);
    // 1 when "ARB_vertex_buffer_object" occurs in the current context's extension string and
    // its four entry points are found; they are looked up into this node's fields.
    unsigned char check_vbo();

    // Draws frame of the model of that name (scene/model_draw.cpp); 0, with no OpenGL call,
    // when no model has that name.
    int draw(const char* key, int frame);
    // Draws one frame of this model, material by material. 1; 0 with no OpenGL call for a
    // frame index outside the model's frames.
    int draw_frame(int frame);
    // The stencil silhouette of the model under the light (scene/stencil_pass.cpp). 0 always.
    int draw_shadow(const char* model_name, const char* light_name, int frame);

    unsigned char is_root;
    Model* left = nullptr;   // names that compare lower
    Model* right = nullptr;  // names that compare higher; every model is under the root's
    char name[kNameCapacity] = {};
    int material_count = 0;
    int frame_count = 0;
    Material* materials = nullptr;       // M
    char** texture_names = nullptr;      // M buffers of 512 bytes
    int* triangle_counts = nullptr;      // M
    int* vertex_counts = nullptr;        // F
    float** positions = nullptr;         // F arrays of 3 x V
    float** normals = nullptr;           // F arrays of 3 x V
    float** texcoords = nullptr;         // F arrays of 2 x V
    unsigned short** indices = nullptr;  // F arrays of 3 x sum(T), material after material
    Texture* textures;                   // not owned: where material textures are bound
    Light* lights;                       // not owned: the silhouette's light
    unsigned char has_vbo = 0;
    PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
    PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
    PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
    PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
    GLuint** index_buffers = nullptr;  // F arrays of M buffer names, when has_vbo
    GLuint* vertex_buffers = nullptr;  // F buffer names, when has_vbo

private:
    // Where a model of that name would be linked, and in *parent the node that holds that
    // child slot; null when the name is present or too long.
    Model** free_slot(const char* key, Model** parent);
    // Copies the frames' vertices and indices into new buffer objects for node, through this
    // node's entry points; 0 (and node keeps its client arrays only) when memory runs out.
    int upload_buffers(Model* node);
};
