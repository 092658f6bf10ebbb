// The whole-word search of an extension list.
#include "gl/extension_search.h"

#include <cstring>

bool ExtensionListHasName(const char* list, const char* name) {
    if (list == nullptr || name == nullptr || name[0] == '\0') return false;
    const std::size_t length = std::strlen(name);
    // A match that is part of a longer name does not end the search: the same name may still
    // stand whole further on.
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == '\0' || at[length] == ' ';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool ExtensionIsListed(const char* glList, const char* wglList, const char* name) {
    return ExtensionListHasName(wglList != nullptr ? wglList : glList, name);
}

bool ExtensionListContains(const char* list, const char* name) {
    if (list == nullptr || name == nullptr || name[0] == '\0') return false;
    return std::strstr(list, name) != nullptr;
}
