// tinygltf is a single header whose functions are compiled in one file.
#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
