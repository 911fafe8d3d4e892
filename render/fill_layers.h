// Computes and writes the plug-in's layers for one shaded sample.
#pragma once

#include <cstdint>

struct FillLayersRecord;
struct ShaderInstance;

// 0 when every write succeeded or nothing had to be done, else the host's first non-zero code.
std::int32_t FillLayers(ShaderInstance& instance, const FillLayersRecord& record);
