// The one translation unit that compiles tinyobjloader's implementation.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
