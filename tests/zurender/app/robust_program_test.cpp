// zurender as a careless or hostile user runs it: full disks, interruptions, folders mixing two
// renders, jobs too large for the program, files that are pipes or its own inputs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include <nlohmann/json.hpp>

#include "zurender_run.h"

namespace zurender {
namespace {

using namespace zurender::testing;
namespace fs = std::filesystem;

// The names in a folder and its layers/ that are temporaries of some run.
int Temporaries(const std::string& dir) {
  int count = 0;
  for (const std::string& folder : {dir, dir + "/layers"}) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
      count += it->path().filename().string().find(".tmp") != std::string::npos;
  }
  return count;
}

std::string ManifestSize(const std::string& dir) {
  return nlohmann::json::parse(ReadFile(dir + "/manifest.json"))["size"].dump();
}

// A small file system of its own, filled by the second render; unmounted when the test ends.
class SmallDisk {
 public:
  explicit SmallDisk(const std::string& path) : path_(path) {
    fs::create_directories(path);
    mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=1200k") == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount(path_.c_str());
  }
  bool mounted() const { return mounted_; }

 private:
  std::string path_;
  bool mounted_ = false;
};

TEST(Zurender, AFailedRunLeavesThePreviousRenderWholeAndNoTemporaries) {
  TempFolder dir;
  {
    SmallDisk disk(dir.Path("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs could be mounted here (mounting needs root): " << std::strerror(errno);
    const std::string out = dir.Path("disk/out");
    ASSERT_EQ(RunZurender({"-o", out, "--size", "64x48", "--layers", "all"}).status, 0);
    const std::string psd = ReadFile(out + "/render.psd");
    const ProgramRun full = RunZurender({"-o", out, "--size", "200x150", "--layers", "all"});
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("No space left on device; " + out + "/ keeps what it held before"), std::string::npos) << full.err;
    EXPECT_EQ(ReadFile(out + "/render.psd"), psd);
    EXPECT_EQ(ManifestSize(out), "[64,48]");
    EXPECT_EQ(Temporaries(out), 0);
    // Into a folder of its own, the failed run leaves no folder.
    EXPECT_EQ(RunZurender({"-o", dir.Path("disk/new/render"), "--size", "200x150", "--layers", "all"}).status, 1);
    EXPECT_FALSE(fs::exists(dir.Path("disk/new")));
    EXPECT_EQ(RunZurender({"check", out}).status, 1) << "the all list does not rebuild the render, but it is checked";
    EXPECT_NE(RunZurender({"check", out}).out.find("render.exr  float"), std::string::npos);
  }
  // A directory where a file goes is found before any tracing; the folder is as it was.
  const std::string out = dir.Path("out");
  ASSERT_EQ(RunZurender({"-o", out, "--size", "16x12"}).status, 0);
  fs::remove(out + "/render.exr");
  fs::create_directory(out + "/render.exr");
  const ProgramRun blocked = RunZurender({"-o", out, "--size", "32x24"});
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.err.find("cannot write " + out + "/render.exr: a directory is in its place"), std::string::npos) << blocked.err;
  EXPECT_EQ(ManifestSize(out), "[16,12]");
}

TEST(Zurender, AnInterruptedRunLeavesThePreviousFilesAndTheNextRemovesWhatAKilledOneLeft) {
  TempFolder dir;
  const std::string out = dir.Path("out");
  ASSERT_EQ(RunZurender({"-o", out, "--size", "16x12"}).status, 0);
  const std::string manifest = ReadFile(out + "/manifest.json");
  for (const int signal : {SIGTERM, SIGINT, SIGKILL}) {
    // Stopped while it writes its files, once the first temporary is seen.
    const int process = StartZurender({"-o", out, "--size", "320x240", "--layers", "all"}, dir.Path("err"));
    int status = 0;
    bool seen = false, ended = false;
    while (!seen && !ended) {
      seen = Temporaries(out) > 0;
      ended = !seen && ::waitpid(process, &status, WNOHANG) == process;
      if (!seen && !ended) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ASSERT_TRUE(seen) << "the render ended before a temporary was seen";
    ::kill(process, signal);
    status = WaitForZurender(process);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(ReadFile(out + "/manifest.json"), manifest) << signal;
    if (signal != SIGKILL) {
      EXPECT_EQ(Temporaries(out), 0) << signal;
      EXPECT_NE(ReadFile(dir.Path("err")).find("zurender: interrupted by SIG"), std::string::npos);
    }
  }
  EXPECT_GT(Temporaries(out), 0) << "what the killed run left";
  ASSERT_EQ(RunZurender({"-o", out, "--size", "16x12"}).status, 0);
  EXPECT_EQ(Temporaries(out), 0);
}

TEST(Zurender, CheckRefusesAFolderWhoseFilesAreOfDifferentRenders) {
  TempFolder dir;
  ASSERT_EQ(RunZurender({"-o", dir.Path("a"), "--size", "64x48", "--layers", "exact"}).status, 0);
  ASSERT_EQ(RunZurender({"-o", dir.Path("b"), "--size", "32x24", "--layers", "exact"}).status, 0);
  ASSERT_EQ(RunZurender({"-o", dir.Path("c"), "--size", "64x48", "--layers", "road"}).status, 0);
  ASSERT_EQ(RunZurender({"-o", dir.Path("d"), "--size", "64x48", "--layers", "exact", "--depth", "8"}).status, 0);
  const std::string a = dir.Path("a");
  const std::string manifest = ReadFile(a + "/manifest.json"), psd = ReadFile(a + "/render.psd"), exr = ReadFile(a + "/render.exr");
  const struct {
    std::string file, from, error;
  } cases[] = {
      {"render.exr", dir.Path("b/render.exr"), "render.exr is not of the render manifest.json describes: it is 32x24, not 64x48"},
      {"render.exr", dir.Path("c/render.exr"), "render.exr is not of the render manifest.json describes: it holds 3 layers, not 9"},
      {"render.psd", dir.Path("d/render.psd"), "render.psd is not of the render manifest.json describes: it is 8-bit, not 16-bit"},
  };
  for (const auto& c : cases) {
    fs::copy_file(c.from, a + "/" + c.file, fs::copy_options::overwrite_existing);
    const ProgramRun check = RunZurender({"check", a});
    EXPECT_EQ(check.status, 3) << "nothing was checked";
    EXPECT_EQ(check.err, "zurender check: cannot check the render: " + a + ": " + c.error + "\n");
    WriteFile(a + "/render.psd", psd);
    WriteFile(a + "/render.exr", exr);
  }
  // A manifest field of the wrong type is a message, not an abort.
  auto json = nlohmann::json::parse(manifest);
  json["fog"] = "yes";
  WriteFile(a + "/manifest.json", json.dump());
  const ProgramRun typed = RunZurender({"check", a});
  EXPECT_EQ(typed.status, 3);
  EXPECT_EQ(typed.err, "zurender check: cannot check the render: " + a + "/manifest.json: fog: expected true or false\n");
}

TEST(Zurender, RefusesBeforeTracingWhatTheProgramOrItsFilesCannotHold) {
  TempFolder dir;
  const ProgramRun huge = RunZurender({"-o", dir.Path("out"), "--size", "30000x30000", "--layers", "all"});
  EXPECT_EQ(huge.status, 1);
  EXPECT_NE(huge.err.find("this render needs about 236893 MiB (frame 236893 MiB"), std::string::npos) << huge.err;
  // A stored list of 9000 layers the plug-in declares, more than one contact sheet shows.
  std::string list = "LYER";
  list += '\0';
  for (std::uint32_t count : {9000u}) list += {char(count >> 24), char(count >> 16), char(count >> 8), char(count)};
  for (int i = 0; i < 9000; ++i) list += std::string("\0\0\0\3", 4) + std::string(20, '\0') + std::string("\1L", 2);
  ASSERT_EQ(RunZurender({"layers", dir.Path("many.json"), "init"}).status, 0);
  auto settings = nlohmann::json::parse(ReadFile(dir.Path("many.json")));
  const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string base64;
  for (std::size_t i = 0; i < list.size(); i += 3) {
    const std::uint32_t n = std::uint32_t(std::uint8_t(list[i])) << 16 |
                            (i + 1 < list.size() ? std::uint32_t(std::uint8_t(list[i + 1])) << 8 : 0) |
                            (i + 2 < list.size() ? std::uint8_t(list[i + 2]) : 0);
    base64 += {digits[n >> 18], digits[(n >> 12) & 63], i + 1 < list.size() ? digits[(n >> 6) & 63] : '=',
               i + 2 < list.size() ? digits[n & 63] : '='};
  }
  settings["storedList"] = base64;
  WriteFile(dir.Path("many.json"), settings.dump());
  const ProgramRun many = RunZurender({"--settings", dir.Path("many.json"), "-o", dir.Path("out"), "--size", "8x6"});
  EXPECT_EQ(many.status, 1);
  EXPECT_NE(many.err.find("the plug-in declared 9000 layers, and the files hold at most 8190"), std::string::npos) << many.err;
  EXPECT_FALSE(fs::exists(dir.Path("out")));
}

TEST(Zurender, NeverWritesOverWhatItReadsAndNeverWaitsOnAPipe) {
  TempFolder dir;
  fs::create_directory(dir.Path("out"));
  WriteFile(dir.Path("out/manifest.json"), "{}");
  WriteFile(dir.Path("scene.json"), "{}");
  ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{dir.Path("out/manifest.json"), "-o", dir.Path("out")},
       "the output file " + dir.Path("out") + "/manifest.json is the scene file " + dir.Path("out/manifest.json")},
      {{dir.Path("scene.json"), "--record-shading", dir.Path("scene.json")}, "--record-shading " + dir.Path("scene.json") + " is the scene file"},
      {{dir.Path("pipe")}, dir.Path("pipe") + ": cannot read scene file: not a regular file (a named pipe)"},
      {{"--settings", dir.Path("pipe")}, dir.Path("pipe") + ": cannot be read: not a regular file (a named pipe)"},
      {{"layers", dir.Path("pipe"), "list"}, dir.Path("pipe") + ": cannot be read: not a regular file (a named pipe)"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    if (args[0] != "layers") args.insert(args.end(), {"--size", "8x6"});
    if (args[0] != "layers" && args[1] != "-o") args.insert(args.end(), {"-o", dir.Path("new")});
    const ProgramRun run = RunZurender(args);
    EXPECT_EQ(run.status, 1) << c.error;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadFile(dir.Path("out/manifest.json")), "{}");
  EXPECT_FALSE(fs::exists(dir.Path("new")));
  ASSERT_EQ(RunZurender({"-o", dir.Path("out"), "--size", "8x6"}).status, 0);
  fs::remove(dir.Path("out/manifest.json"));
  ASSERT_EQ(::mkfifo(dir.Path("out/manifest.json").c_str(), 0600), 0);
  EXPECT_EQ(RunZurender({"check", dir.Path("out")}).err,
            "zurender check: cannot check the render: " + dir.Path("out") +
                "/manifest.json: cannot be read: not a regular file (a named pipe)\n");
}

}  // namespace
}  // namespace zurender
