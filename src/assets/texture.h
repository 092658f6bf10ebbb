// Texture: one OpenGL texture with its name, its CPU pixel copy and its GL texture name, as a
// node of the name-ordered tree that holds every texture of the program.
// Portable header (no windows.h): the JPEG decoder's entry point lives here and builds natively.
#pragma once

struct HINSTANCE__;  // the module handle type of windows.h (HINSTANCE)

class Texture {
public:
    // Decodes baseline JPEG data into width x height R, G, B, A pixels (alpha 255), top row
    // first. The caller owns the result (delete[]). Null on failure, with a message on stderr;
    // width and height are written only on success. name is used in messages only.
    static unsigned char* load_jpeg(const char* name, int* width, int* height,
                                    const unsigned char* data, int size);
};
