// The few file system calls the render host needs that differ between the platforms it is built
// for. Each reports failure through errno, as the C library does.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace zurender {

// Creates a new file for writing that must not exist yet (EEXIST when it does), not inherited by
// child processes, as a binary stdio stream; none on failure.
std::FILE* CreateNewFile(const std::string& path);
// Moves from over to, replacing a file of that name whole; false on failure.
bool MoveIntoPlace(const std::string& from, const std::string& to);
// Asks the system to put the stream's data on the disk; false on failure.
bool SyncToDisk(std::FILE* file);
// Positions the stream at a 64-bit offset; false on failure.
bool SeekTo(std::FILE* file, std::uint64_t offset);
void RemoveFile(const std::string& path);
// Removes a folder if it is empty; one that holds anything stays.
void RemoveEmptyFolder(const std::string& path);
// Whether files can be made in the directory, as far as permissions tell.
bool CanWriteIn(const std::string& directory);
unsigned ProcessNumber();
// Whether a process of this number may still be running: only a number no process has is false.
bool ProcessMayBeRunning(unsigned process);

// What is at a path, without following a symbolic link there.
enum class PathKind { kAbsent, kRegular, kDirectory, kLink, kOther };
PathKind KindOfPath(const std::string& path);

}  // namespace zurender
