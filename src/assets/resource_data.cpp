// The bytes of one of the program's RCDATA resources, found by id and locked in place.
#include "assets/resource_data.h"

bool FindResourceData(HMODULE module, int resource_id, const unsigned char** data,
                      std::size_t* size) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resource_id), RT_RCDATA);
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* locked = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (locked == nullptr) return false;
    *data = static_cast<const unsigned char*>(locked);
    *size = SizeofResource(module, found);
    return true;
}
