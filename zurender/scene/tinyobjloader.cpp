// tinyobjloader's code, for the build that has its header but no library of it (Windows).
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
