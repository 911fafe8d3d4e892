// How much of each kind of file the render host reads at most. A user may hand it anything: a
// device, a pipe, a sparse file of gigabytes; none may make it wait forever or fill a 32-bit
// address space. The layered files a check reads are bounded by the frame they hold instead
// (ImageReadLimits, below).
#pragma once

#include <cstdint>

namespace zurender {

// Real scene files are a few kilobytes.
constexpr std::uint64_t kSceneFileLimit = std::uint64_t(16) << 20;
// Ample for the meshes a scene of this host holds, and far from what a 32-bit process can hold
// once parsed.
constexpr std::uint64_t kMeshFileLimit = std::uint64_t(64) << 20;
// A settings file holds the parameter words and a stored list of at most 1 MiB, in base64.
constexpr std::uint64_t kSettingsFileLimit = std::uint64_t(2) << 20;
// A manifest lists a few hundred bytes per layer and the stored list; thousands of layers fit.
constexpr std::uint64_t kManifestFileLimit = std::uint64_t(8) << 20;

// How much a reader of layered image files may take: the file's size, and the memory its decoded
// layers fill (16 bytes a pixel each, all held at once). The defaults are what a 32-bit process
// can hold; a check passes what the render's own frame needs.
struct ImageReadLimits {
  std::uint64_t fileBytes = std::uint64_t(2) << 30;     // 2 GiB
  std::uint64_t decodedBytes = std::uint64_t(3) << 29;  // 1.5 GiB
};

}  // namespace zurender
