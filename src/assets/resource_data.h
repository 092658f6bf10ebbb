// The bytes of one of the program's RCDATA resources, found by id and locked in place.
#pragma once

#include <windows.h>

#include <cstddef>

// Finds, loads and locks RCDATA resource_id of module. False, with nothing written, when the
// resource is missing or yields no data; otherwise *data points at *size bytes that live as
// long as the module.
bool FindResourceData(HMODULE module, int resource_id, const unsigned char** data,
                      std::size_t* size);
