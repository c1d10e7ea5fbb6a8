// The bitmap decoder of stb_image (Debian's libstb-dev), compiled into the core with only its BMP
// reader: the one format a picture file may have besides JPEG. Files are read by the caller.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR

#include <stb_image.h>
