// Looking up an OpenGL or WGL extension entry point by name, typed as the entry point itself.
#pragma once

#include <windows.h>

// wglGetProcAddress returns a generic PROC; the detour through void (*)() keeps the cast to
// the entry point's own type (and calling convention) free of warnings. Null when the driver
// does not have it.
template <typename Proc>
Proc LookUpEntryPoint(const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}
