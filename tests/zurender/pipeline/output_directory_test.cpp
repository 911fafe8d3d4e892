// The folder a render's files go to.
#include <gtest/gtest.h>

#include <filesystem>

#include "zurender/base/atomic_file.h"
#include "zurender/output/output_test_support.h"
#include "zurender/pipeline/output_directory.h"

namespace zurender {
namespace {

TEST(OutputDirectory, CreatesTheLayersFolderOrSaysWhyNot) {
  testing::TempDir dir;
  EXPECT_TRUE(MakeOutputDirectory(dir.File("render/a")).ok());
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("render/a/layers")));
  EXPECT_TRUE(MakeOutputDirectory(dir.File("render/a")).ok()) << "an existing folder is fine";
  AtomicFile file;
  ASSERT_TRUE(file.Open(dir.File("plain")).ok());
  ASSERT_TRUE(file.Commit().ok());
  const Status status = MakeOutputDirectory(dir.File("plain"));
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find(dir.File("plain")), std::string::npos) << status.message();
}

}  // namespace
}  // namespace zurender
