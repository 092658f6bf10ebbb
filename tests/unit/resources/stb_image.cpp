// stb_image's BMP and PNG decoders, the tests' independent reader of our pictures.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#include <stb_image.h>
