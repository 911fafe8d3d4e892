// tinyobjloader's code, for the builds that compile it from its header: Windows, which has no
// library of it, and the fuzz targets, which look into it.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
