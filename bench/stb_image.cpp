// stb_image's JPEG decoder, compiled once for the benchmark (comparison only).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#include <stb_image.h>
