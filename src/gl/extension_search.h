// The whole-word search of an extension list, apart from GL so that it builds natively.
#pragma once

// True when name stands in the list as a whole word: at the start or after a space, and
// followed by the end or a space. A name that only begins or ends a longer one does not count.
// An empty name, or a null list or name, is never found.
bool ExtensionListHasName(const char* list, const char* name);

// The list to search: the WGL list replaces the GL one whenever the driver gave one (the two
// are not joined); a null WGL list falls back to the GL list. False when both are null.
bool ExtensionIsListed(const char* glList, const char* wglList, const char* name);

// True when name occurs anywhere in the list, also inside a longer name: the plain substring
// search with which the model loader looks for buffer objects. Null or empty names never occur.
bool ExtensionListContains(const char* list, const char* name);
