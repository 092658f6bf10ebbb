// The texture tree itself: the root, the descent rule, insertion and destruction.
// Portable (no Win32, no OpenGL), so that it builds and is tested natively with sanitizers.
#include "assets/texture.h"

#include <cstring>
#include <new>

namespace {

// Follows the descent rule from entry. Returns the match, or null with *slot set to the null
// child where the descent ended. The root is passed over whatever the comparison says, so
// every entry lives in its right subtree and not even the empty name matches it.
Texture* Descend(Texture* entry, const char* key, Texture*** slot) {
    Texture** link = nullptr;
    while (entry != nullptr) {
        const int order = std::strcmp(key, entry->name);
        if (order == 0 && !entry->is_root) return entry;
        link = (order > 0 || entry->is_root) ? &entry->right : &entry->left;
        entry = *link;
    }
    *slot = link;
    return nullptr;
}

}  // namespace

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
    return Descend(this, key, &slot);
}

Texture* Texture::insert(const char* key) {
    // A longer name would be cut short and could then never be found under its own name.
    if (key == nullptr || std::strlen(key) >= sizeof(name)) return nullptr;
    Texture** slot = nullptr;
    if (Descend(this, key, &slot) != nullptr || slot == nullptr) return nullptr;
    Texture* entry = new (std::nothrow) Texture(key);
    if (entry == nullptr) return nullptr;
    *slot = entry;
    return entry;
}
