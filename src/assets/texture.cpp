// The texture manager's Win32 and OpenGL side: textures made from resources, from files or
// empty, bound by name, and their CPU copies uploaded. The tree itself is texture_tree.cpp.
#include "assets/texture.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <climits>
#include <cstddef>
#include <new>

#include "assets/bitmap_pixels.h"
#include "assets/resource_data.h"
#include "assets/texture_rules.h"

namespace {

// Gives a freshly filled entry its texture object: the pixels, read in source_format, with
// linear filters, no mipmaps and wrapping left at OpenGL's default.
void UploadNewTexture(Texture* entry, GLenum source_format) {
    glGenTextures(1, &entry->gl_name);
    glBindTexture(GL_TEXTURE_2D, entry->gl_name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, entry->width, entry->height, 0, source_format,
                 GL_UNSIGNED_BYTE, entry->pixels);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_PRIORITY, 1.0f);
}

// Fills a new entry from a loaded bitmap (null when loading failed) and releases the handle.
// The entry keeps its buffer when the conversion fails, but gets no texture object.
int FillFromBitmap(Texture* entry, HBITMAP bitmap) {
    if (bitmap == nullptr) return 0;
    int width = 0;
    int height = 0;
    std::size_t bytes = 0;
    int copied = 0;
    if (BitmapSize(bitmap, &width, &height) && TextureBufferBytes(width, height, 4, &bytes)) {
        entry->pixels = new (std::nothrow) unsigned char[bytes]();
        if (entry->pixels != nullptr) {
            entry->width = width;
            entry->height = height;
            entry->bytes_per_pixel = 4;
            copied = CopyBitmapPixels(bitmap, width, height, entry->pixels);
        }
    }
    DeleteObject(bitmap);
    if (!copied) return 0;
    UploadNewTexture(entry, GL_BGRA_EXT);
    return 1;
}

// A DIB section keeps the bitmap's own palette. A device-dependent bitmap would take the
// display's depth, and at 8 bits per pixel the display's palette, losing the true colours.
HBITMAP LoadBitmapDib(HINSTANCE instance, const char* resource, UINT flags) {
    return static_cast<HBITMAP>(
        LoadImageA(instance, resource, IMAGE_BITMAP, 0, 0, flags | LR_CREATEDIBSECTION));
}

int FillFromJpegData(Texture* entry, const unsigned char* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return 0;
    int width = 0;
    int height = 0;
    unsigned char* pixels =
        Texture::load_jpeg(entry->name, &width, &height, data, static_cast<int>(size));
    if (pixels == nullptr) return 0;
    entry->pixels = pixels;
    entry->width = width;
    entry->height = height;
    entry->bytes_per_pixel = 4;
    UploadNewTexture(entry, GL_RGBA);
    return 1;
}

int FillFromJpegResource(Texture* entry, HINSTANCE instance, int resource_id) {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!FindResourceData(instance, resource_id, &data, &size)) return 0;
    return FillFromJpegData(entry, data, size);
}

}  // namespace

int Texture::create_from_resource(const char* key, int resource_id, HINSTANCE__* instance) {
    const TextureKind kind = TextureKindOf(key);
    if (kind == TextureKind::Unsupported) return 0;
    Texture* entry = insert(key);
    if (entry == nullptr) return 0;
    // Resource ids are 16 bits wide; a larger one would silently name another resource.
    if (resource_id <= 0 || resource_id > 0xFFFF) return 0;
    // A null module would make LoadImageA look among the system's own bitmaps.
    if (instance == nullptr) instance = GetModuleHandleA(nullptr);
    if (kind == TextureKind::Bitmap) {
        return FillFromBitmap(entry, LoadBitmapDib(instance, MAKEINTRESOURCEA(resource_id), 0));
    }
    return FillFromJpegResource(entry, instance, resource_id);
}

int Texture::create_from_jpeg(const char* key, const unsigned char* data, std::size_t size) {
    Texture* entry = insert(key);
    if (entry == nullptr) return 0;
    return FillFromJpegData(entry, data, size);
}

int Texture::create_from_file(const char* key) {
    const TextureKind kind = TextureKindOf(key);
    if (kind == TextureKind::Unsupported) return 0;
    Texture* entry = insert(key);
    if (entry == nullptr) return 0;
    // A JPEG file is registered by name only: it has no image and binds texture object 0.
    if (kind == TextureKind::Jpeg) return 1;
    return FillFromBitmap(entry, LoadBitmapDib(nullptr, key, LR_LOADFROMFILE));
}

int Texture::create_empty(const char* key, int new_width, int new_height,
                          int new_bytes_per_pixel) {
    std::size_t bytes = 0;
    if (!TextureBufferBytes(new_width, new_height, new_bytes_per_pixel, &bytes)) return 0;
    Texture* entry = insert(key);
    if (entry == nullptr) return 0;
    // Zeroed rather than left undefined, so that an unfilled buffer uploads as black.
    entry->pixels = new (std::nothrow) unsigned char[bytes]();
    if (entry->pixels == nullptr) return 0;
    entry->width = new_width;
    entry->height = new_height;
    entry->bytes_per_pixel = new_bytes_per_pixel;
    glGenTextures(1, &entry->gl_name);
    return 1;
}

int Texture::bind(const char* key) {
    Texture* entry = find(key);
    if (entry == nullptr) return 0;
    glBindTexture(GL_TEXTURE_2D, entry->gl_name);
    return 1;
}

unsigned char* Texture::find_pixels(const char* key) {
    Texture* entry = find(key);
    return entry != nullptr ? entry->pixels : nullptr;
}

void Texture::upload(const char* key) {
    Texture* entry = find(key);
    if (entry == nullptr) return;
    // The buffer is read as 4 bytes per pixel; a narrower one would be read past its end.
    if (entry->pixels != nullptr && entry->bytes_per_pixel < 4) return;
    glBindTexture(GL_TEXTURE_2D, entry->gl_name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, entry->width, entry->height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, entry->pixels);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_REPEAT));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_REPEAT));
}
