// The model tree and its loader: nodes made, found and destroyed by the descent rule, GXU
// resources parsed into them, and the check for buffer objects.
#include "assets/model.h"

#include <cstring>
#include <new>

#include "assets/name_tree.h"
#include "assets/resource_data.h"
#include "assets/texture.h"
#include "gl/extension_search.h"
#include "gl/proc_address.h"

namespace {

// A longer name would be cut short and could then never be found under its own name.
bool NameFits(const char* key) {
    return key != nullptr && std::strlen(key) < static_cast<std::size_t>(Model::kNameCapacity);
}

}  // namespace

Model::Model(unsigned char is_root_flag, Texture* texture_root, Light* light_list)
    : is_root(is_root_flag), textures(texture_root), lights(light_list) {
    has_vbo = check_vbo();
}

Model::~Model() {
    delete right;
    delete left;
    DeleteGxuArrays(this);
    DeleteEach(index_buffers, frame_count);
    delete[] vertex_buffers;
}

unsigned char Model::check_vbo() {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!ExtensionListContains(list, "ARB_vertex_buffer_object")) return 0;
    glGenBuffersARB = LookUpEntryPoint<PFNGLGENBUFFERSARBPROC>("glGenBuffersARB");
    glBindBufferARB = LookUpEntryPoint<PFNGLBINDBUFFERARBPROC>("glBindBufferARB");
    glBufferDataARB = LookUpEntryPoint<PFNGLBUFFERDATAARBPROC>("glBufferDataARB");
    glDeleteBuffersARB = LookUpEntryPoint<PFNGLDELETEBUFFERSARBPROC>("glDeleteBuffersARB");
    // A driver that names the extension but lacks an entry point gets the client arrays
    // rather than a call through a null pointer.
    if (glGenBuffersARB != nullptr && glBindBufferARB != nullptr && glBufferDataARB != nullptr &&
        glDeleteBuffersARB != nullptr)
        return 1;
    glGenBuffersARB = nullptr;
    glBindBufferARB = nullptr;
    glBufferDataARB = nullptr;
    glDeleteBuffersARB = nullptr;
    return 0;
}

Model* Model::find(const char* key) {
    if (key == nullptr) return nullptr;
    Model** slot = nullptr;
    return DescendByName(this, key, &slot);
}

Model** Model::free_slot(const char* key, Model** parent) {
    if (!NameFits(key)) return nullptr;
    Model** slot = nullptr;
    if (DescendByName(this, key, &slot, parent) != nullptr) return nullptr;
    return slot;
}

int Model::create_from_resource(const char* key, int resource_id) {
    Model* parent = nullptr;
    Model** slot = free_slot(key, &parent);
    if (slot == nullptr) return 0;
    *slot = parent->read_gxu(key, resource_id);
    return 1;
}

int Model::create_from_memory(const char* key, const unsigned char* data, std::size_t size) {
    Model* parent = nullptr;
    Model** slot = free_slot(key, &parent);
    if (slot == nullptr) return 0;
    *slot = parent->read_gxu_data(key, data, size);
    return 1;
}

Model* Model::read_gxu(const char* key, int resource_id) {
    // Resource ids are 16 bits wide; a larger one would silently name another resource.
    if (resource_id <= 0 || resource_id > 0xFFFF) return nullptr;
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!FindResourceData(GetModuleHandleA(nullptr), resource_id, &data, &size)) return nullptr;
    return read_gxu_data(key, data, size);
}

Model* Model::read_gxu_data(const char* key, const unsigned char* data, std::size_t size) {
    if (!NameFits(key)) return nullptr;
    // The whole file is checked before anything is made, so a refused file leaves no node,
    // no texture entry and no buffer object behind.
    GxuData parsed;
    if (ParseGxu(data, size, &parsed) != GxuStatus::Ok) return nullptr;
    Model* node = new (std::nothrow) Model(0, textures, lights);
    if (node == nullptr) return nullptr;
    std::memcpy(node->name, key, std::strlen(key) + 1);
    MoveGxuArrays(&parsed, node);

    // The results are ignored: a texture that cannot be made leaves the name to whatever
    // binding drawing finds.
    if (textures != nullptr)
        for (int m = 0; m < node->material_count; ++m)
            textures->create_from_file(node->texture_names[m]);

    // The buffers are made through this node's entry points; the new node draws from them
    // only if they were made.
    if (!has_vbo || !upload_buffers(node)) node->has_vbo = 0;
    return node;
}
