#include "zurender/pipeline/progress.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zurender {

bool StderrIsTerminal() {
#if defined(_WIN32)
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

namespace {

bool LinesAsked() {
  const char* mode = std::getenv("ZURENDER_PROGRESS");
  return mode != nullptr && std::strcmp(mode, "lines") == 0;
}

}  // namespace

Progress::Progress(std::string label)
    : label_(std::move(label)), enabled_(StderrIsTerminal() || LinesAsked()), lines_(LinesAsked()) {}

void Progress::Update(std::size_t done, std::size_t total) {
  if (!enabled_ || total == 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (done < total && drawn_ && now - last_ < std::chrono::milliseconds(100)) return;
  last_ = now;
  drawn_ = true;
  if (lines_) {
    std::fprintf(stderr, "%s %d%%\n", label_.c_str(), int(100.0 * double(done) / double(total)));
    std::fflush(stderr);
    return;
  }
  constexpr int kWidth = 40;
  const int filled = int(double(done) / double(total) * kWidth);
  std::string bar(std::size_t(filled), '#');
  bar.resize(kWidth, '.');
  std::fprintf(stderr, "\r%s [%s] %3d%%", label_.c_str(), bar.c_str(), int(100.0 * double(done) / double(total)));
  std::fflush(stderr);
}

void Progress::Finish() {
  if (!drawn_ || lines_) return;
  std::fprintf(stderr, "\r%*s\r", int(label_.size()) + 50, "");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace zurender
