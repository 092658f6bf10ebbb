// The texture manager's decisions that need no tree: which kind of image a name asks for, and
// whether a pixel buffer of a given size may be allocated.
// Portable: builds without windows.h.
#pragma once

#include <cstddef>

enum class TextureKind { Unsupported, Jpeg, Bitmap };

// The text from the last "." to the end decides: exactly ".jpg" or ".bmp"; anything else,
// upper case and a name without "." included, is unsupported.
TextureKind TextureKindOf(const char* name);

// Largest pixel buffer the manager allocates: its byte count must fit a 32-bit signed size,
// as OpenGL and the 32-bit build take it.
constexpr std::size_t kMaxTextureBytes = 0x7FFFFFFF;

// Stores width x height x bytes_per_pixel in *bytes and returns 1; 0 for a negative size or
// a product above kMaxTextureBytes (checked without overflowing).
int TextureBufferBytes(int width, int height, int bytes_per_pixel, std::size_t* bytes);
