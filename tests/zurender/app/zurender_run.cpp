#include "zurender_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zurender::testing {
namespace {

std::string Quoted(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

int ExitStatus(int raw) { return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1; }

}  // namespace

ProgramRun RunZurender(const std::vector<std::string>& args) {
  TempFolder streams;
  std::string command;
  for (const std::string& arg : ZurenderCommand(args)) command += " " + Quoted(arg);
  command += " >" + Quoted(streams.Path("out")) + " 2>" + Quoted(streams.Path("err")) + " </dev/null";
  ProgramRun run;
  run.status = ExitStatus(std::system(command.c_str()));
  run.out = ReadFile(streams.Path("out"));
  run.err = ReadFile(streams.Path("err"));
  return run;
}

std::vector<std::string> ZurenderCommand(const std::vector<std::string>& args) {
  std::vector<std::string> command;
  // Where i386 programs start only through qemu-i386, ctest names it in ZU_I386_EMULATOR.
  std::istringstream emulator(std::getenv("ZU_I386_EMULATOR") != nullptr ? std::getenv("ZU_I386_EMULATOR") : "");
  for (std::string word; emulator >> word;) command.push_back(word);
  command.push_back(ZURENDER_PATH);
  command.insert(command.end(), args.begin(), args.end());
  return command;
}

int StartZurender(const std::vector<std::string>& args, const std::string& errPath) {
  const pid_t child = fork();
  if (child != 0) return int(child);
  std::vector<std::string> command = ZurenderCommand(args);
  std::vector<char*> argv;
  for (std::string& arg : command) argv.push_back(arg.data());
  argv.push_back(nullptr);
  if (std::freopen("/dev/null", "w", stdout) == nullptr || std::freopen(errPath.c_str(), "w", stderr) == nullptr) _exit(127);
  execv(argv[0], argv.data());
  _exit(127);
}

int WaitForZurender(int process) {
  int status = 0;
  return waitpid(pid_t(process), &status, 0) == process ? status : -1;
}

TempFolder::TempFolder() {
  static int serial = 0;
  path_ = std::filesystem::temp_directory_path() /
          ("zurender-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::vector<std::string> CommandLines(const std::string& command, int* status) {
  std::vector<std::string> lines;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return lines;
  std::string line;
  for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += char(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  const int raw = pclose(pipe);
  if (status != nullptr) *status = ExitStatus(raw);
  return lines;
}

std::string DataFile(const std::string& name) { return std::string(ZURENDER_TEST_DATA) + "/" + name; }
std::string ExampleFile(const std::string& name) { return std::string(ZURENDER_EXAMPLES) + "/" + name; }

}  // namespace zurender::testing
