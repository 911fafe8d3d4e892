// Runs the built zurender program as its user does and looks at what it wrote.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zurender::testing {

struct ProgramRun {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs zurender with the arguments, each quoted for the shell.
ProgramRun RunZurender(const std::vector<std::string>& args);

// Starts zurender with the arguments and returns at once: its process, whose standard error goes
// to errPath. Waited for by WaitForZurender, which gives its raw wait status.
// zurender with these arguments as a command, behind the emulator where there is one.
std::vector<std::string> ZurenderCommand(const std::vector<std::string>& args);
int StartZurender(const std::vector<std::string>& args, const std::string& errPath);
int WaitForZurender(int process);

// A fresh folder, removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string Path(const std::string& name = "") const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// The lines a shell command prints; its status in status when given.
std::vector<std::string> CommandLines(const std::string& command, int* status = nullptr);

// The test data folder and the examples shipped in docs/.
std::string DataFile(const std::string& name);
std::string ExampleFile(const std::string& name);

}  // namespace zurender::testing
