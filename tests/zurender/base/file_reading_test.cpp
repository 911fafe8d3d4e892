#include "zurender/base/file_reading.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace zurender {
namespace {

namespace fs = std::filesystem;

TEST(FileReading, OnlyRegularFilesAreReadWithoutWaitingAndNoMoreThanTheLimit) {
  const fs::path dir = fs::path(::testing::TempDir()) / "file-reading";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string fifo = (dir / "fifo").string(), text = (dir / "text").string(), sparse = (dir / "sparse").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::ofstream(text, std::ios::binary) << "0123456789";
  std::ofstream{sparse};
  fs::resize_file(sparse, std::uintmax_t(3) << 30);  // 3 GiB, and no blocks on the disk

  const auto started = std::chrono::steady_clock::now();
  const struct {
    std::string path;
    std::uint64_t limit;
    std::string result;  // the text, or the reason
  } cases[] = {
      {text, 10, "0123456789"},
      {text, 9, "larger than 9 bytes"},
      {sparse, std::uint64_t(16) << 20, "larger than 16 MiB"},
      {fifo, 100, "not a regular file (a named pipe)"},  // opening it blocking would wait for a writer
      {dir.string(), 100, "not a regular file (a directory)"},
      {"/dev/zero", 100, "not a regular file (a device)"},
      {(dir / "absent").string(), 100, "No such file or directory"},
      {"", 100, "empty path"},
  };
  for (const auto& c : cases) {
    const Result<std::string> read = ReadWholeFile(c.path, c.limit);
    EXPECT_EQ(read.ok() ? read.value() : read.message(), c.result) << c.path;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  // A file whose size the system does not tell is read to its end, within the limit too.
  EXPECT_FALSE(ReadWholeFile("/proc/self/status", 16).ok());
  EXPECT_TRUE(ReadWholeFile("/proc/self/status", 1 << 20).ok());
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zurender
