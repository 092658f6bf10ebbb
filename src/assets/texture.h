// Texture: one OpenGL texture with its name, its CPU pixel copy and its GL texture name, as a
// node of the name-ordered tree that holds every texture of the program.
// Portable header (no windows.h): the JPEG decoder's entry point lives here and builds natively.
#pragma once

#include <cstddef>

struct HINSTANCE__;  // the module handle type of windows.h (HINSTANCE)

class Texture {
public:
    static constexpr int kNameCapacity = 512;  // names are at most 511 characters

    // Makes the root of a new tree: is_root 1, the empty name, no pixels. The root anchors
    // the tree and is never matched; every operation is called on it.
    Texture();
    // Destroys the left subtree, then the right one, then frees the pixels. OpenGL texture
    // objects are left alone: they end with their rendering context.
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // ".bmp" names from a BITMAP resource, ".jpg" names from an RCDATA resource holding a
    // JPEG file; uploaded with linear filters. 0 for a present name or another extension
    // (no entry is made), and for an image that cannot be loaded (the entry stays, without
    // a texture object).
    int create_from_resource(const char* name, int resource_id, HINSTANCE__* instance);
    // The same for JPEG data in memory, under any name: for developer tools that read a
    // picture file. 0 for a present name, and for data that does not decode (the entry stays).
    int create_from_jpeg(const char* name, const unsigned char* data, std::size_t size);
    // The name is also the file's path. A ".bmp" file is loaded like a BITMAP resource; a
    // ".jpg" name is only registered (no image, texture object 0).
    int create_from_file(const char* name);
    // A buffer of width x height x bytes_per_pixel bytes for the caller to fill (zeroed until
    // then) and a new texture name; nothing is bound or uploaded. Any name is taken; negative
    // sizes and buffers above 2 GiB are refused without an entry.
    int create_empty(const char* name, int width, int height, int bytes_per_pixel);
    // Binds the entry's texture object; 0 and no OpenGL call when the name is absent.
    int bind(const char* name);
    // The entry's buffer to fill in place; null when the name is absent.
    unsigned char* find_pixels(const char* name);
    // Binds the entry and uploads its buffer as 4-byte R, G, B, A pixels with linear filters
    // and repeat wrapping. Nothing when the name is absent or the buffer is too small for that.
    void upload(const char* name);

    // The entry of that name by the descent rule; null when absent (the root never matches).
    Texture* find(const char* name);
    // Links a new, empty entry of that name where the descent ends; null (and no change)
    // when the name is present or longer than 511 characters.
    Texture* insert(const char* name);

    // Decodes baseline JPEG data into width x height R, G, B, A pixels (alpha 255), top row
    // first. The caller owns the result (delete[]). Null on failure, with a message on stderr;
    // width and height are written only on success. name is used in messages only.
    static unsigned char* load_jpeg(const char* name, int* width, int* height,
                                    const unsigned char* data, int size);

    char name[kNameCapacity] = {};
    Texture* left = nullptr;   // names that compare lower
    Texture* right = nullptr;  // names that compare higher; every entry is under the root's
    unsigned char* pixels = nullptr;  // width x height x bytes_per_pixel bytes, top row first
    int width = 0;
    int height = 0;
    int bytes_per_pixel = 0;
    unsigned int gl_name = 0;  // 0 when no texture object was made
    unsigned char is_root = 0;

private:
    explicit Texture(const char* entry_name);
};
