#include "zurender/base/staged_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "zurender/base/interruption.h"
#include "zurender/base/stale_temporaries.h"
#include "zurender/base/temporary_name.h"
#include "zurender/base/atomic_file.h"

namespace zurender {
namespace {

namespace fs = std::filesystem;

class Folder {
 public:
  explicit Folder(const std::string& name) : path_(fs::path(::testing::TempDir()) / name) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() { fs::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
};

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A process number that no process has now: a child's, once it has been waited for.
unsigned EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return unsigned(child);
}

TEST(StagedFiles, AllArePutInPlaceOrNoneAndNothingStagedIsLeft) {
  Folder dir("staged");
  Write(dir / "a", "old a");
  fs::create_directory(dir / "c");  // in the way of the third
  {
    StagedFiles set;
    for (const char* name : {"a", "b", "c"}) Write(set.Stage(dir / name), std::string("new ") + name);
    const Status published = set.Publish();
    ASSERT_FALSE(published.ok());
    EXPECT_EQ(published.message(), "cannot put " + (dir / "c") + " in place: a directory is in its place; the files there are as they were");
    EXPECT_EQ(Read(dir / "a"), "old a");
  }
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a", "c"}));

  fs::remove(dir / "c");
  fs::create_symlink("a", dir / "link");
  {
    StagedFiles set;
    for (const char* name : {"link", "b", "c"}) Write(set.Stage(dir / name), std::string("new ") + name);
    ASSERT_TRUE(set.Publish().ok());
  }
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a", "b", "c", "link"}));
  EXPECT_EQ(Read(dir / "a"), "new link") << "written through the link, which stays";
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
}

TEST(StagedFiles, StaleTemporariesOfEndedProcessesAreRemovedAndMovedAsideFilesPutBack) {
  Folder dir("stale");
  const std::string ended = std::to_string(EndedProcess());
  const std::string mine = TemporaryName(dir / "render.psd", "0");
  for (const std::string& name : {"render.psd.tmp" + ended + "-0", "layers.tmp" + ended + "-staged",
                                  "manifest.json.tmp" + ended + "-previous", std::string("render.exr.tmp1-0"), std::string("notes.tmp")})
    Write(dir / name, "x");
  Write(mine, "x");
  EXPECT_EQ(RemoveStaleTemporaries(dir / ""), 2);
  // Process 1 runs; this process is running; "notes.tmp" is no temporary; the manifest was
  // moved aside by a run killed before it put the new one in place, so it goes back.
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"manifest.json", "notes.tmp", "render.exr.tmp1-0",
                                                   fs::path(mine).filename().string()}));
}

TEST(StagedFiles, AnInterruptionRemovesTheTemporariesAndEndsTheProcessByItsSignal) {
  Folder dir("interrupted");
  for (const int signal : {SIGTERM, SIGINT}) {
    const pid_t child = fork();
    if (child == 0) {
      InstallInterruptionHandler();
      AtomicFile file;
      StagedFiles set;
      Write(set.Stage(dir / "staged"), "staged");
      if (!file.Open(dir / "open").ok()) _exit(3);
      kill(getpid(), signal);
      sleep(10);
      _exit(4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_TRUE(dir.Names().empty()) << dir.Names().size();
  }
}

}  // namespace
}  // namespace zurender
