#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "zurender/base/atomic_file.h"
#include "zurender/base/byte_order.h"
#include "zurender/base/four_cc.h"
#include "zurender/output/output_test_support.h"
#include "zurender/output/psd_writer.h"

namespace zurender {
namespace {

std::size_t EntriesIn(const std::string& directory) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++n;
  return n;
}

TEST(AtomicFile, FailuresLeaveNothingBehindAndKeepTheOldFile) {
  testing::TempDir dir;
  const std::string path = dir.File("out.bin");
  {
    AtomicFile file;
    ASSERT_TRUE(file.Open(path).ok());
    ASSERT_TRUE(file.Write("old", 3).ok());
    ASSERT_TRUE(file.Commit().ok());
  }
  {
    // A write that fails half-way: the temporary goes, the old file stays whole.
    AtomicFile file;
    ASSERT_TRUE(file.Open(path).ok());
    ASSERT_TRUE(file.Write("new data", 8).ok());
    (void)file.Fail("simulated");
    const Status committed = file.Commit();
    EXPECT_FALSE(committed.ok());
    EXPECT_NE(committed.message().find(path), std::string::npos) << committed.message();
  }
  {
    AtomicFile abandoned;  // never committed
    ASSERT_TRUE(abandoned.Open(path).ok());
    ASSERT_TRUE(abandoned.Write("x", 1).ok());
  }
  EXPECT_EQ(std::filesystem::file_size(path), 3u);
  EXPECT_EQ(EntriesIn(dir.path()), 1u);

  // The final name is taken by a directory: the rename fails after all the data was written.
  const std::string blocked = dir.File("blocked.psd");
  std::filesystem::create_directory(blocked);
  const std::vector<ColourValue> pixel(1, ColourValue{1, 0, 0, 0});
  const LayerView layer{"L", FourCC("norm"), true, pixel};
  const Status status = WritePsd(blocked, PsdImage{1, 1, 8, std::span(&layer, 1), pixel, {}});
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find(blocked), std::string::npos) << status.message();
  EXPECT_EQ(EntriesIn(dir.path()), 2u) << "a temporary was left behind";

  // No such directory: the error names the path and the reason.
  const Status missing = WritePsd(dir.File("no/such/dir.psd"), PsdImage{1, 1, 8, std::span(&layer, 1), pixel, {}});
  EXPECT_NE(missing.message().find("No such file or directory"), std::string::npos) << missing.message();
}

}  // namespace
}  // namespace zurender
