// The texture tree itself: the root, insertion, lookup by the descent rule, and destruction.
// Portable (no Win32, no OpenGL), so that it builds and is tested natively with sanitizers.
#include "assets/texture.h"

#include <cstring>
#include <new>

#include "assets/name_tree.h"

Texture::Texture() : is_root(1) {}

Texture::Texture(const char* entry_name) {
    std::memcpy(name, entry_name, std::strlen(entry_name) + 1);
}

Texture::~Texture() {
    delete left;
    delete right;
    delete[] pixels;
}

Texture* Texture::find(const char* key) {
    if (key == nullptr) return nullptr;
    Texture** slot = nullptr;
    return DescendByName(this, key, &slot);
}

Texture* Texture::insert(const char* key) {
    // A longer name would be cut short and could then never be found under its own name.
    if (key == nullptr || std::strlen(key) >= sizeof(name)) return nullptr;
    Texture** slot = nullptr;
    if (DescendByName(this, key, &slot) != nullptr || slot == nullptr) return nullptr;
    Texture* entry = new (std::nothrow) Texture(key);
    if (entry == nullptr) return nullptr;
    *slot = entry;
    return entry;
}
