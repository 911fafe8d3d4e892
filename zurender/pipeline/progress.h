// A progress bar on standard error, drawn only when it is a terminal. For a program that shows
// the progress itself (zurender studio), the environment variable ZURENDER_PROGRESS=lines asks
// for plain lines instead, "rendering 42%", whatever standard error is.
#pragma once

#include <chrono>
#include <string>

namespace zurender {

class Progress {
 public:
  explicit Progress(std::string label);
  // Redraws at most a few times a second; done is out of total.
  void Update(std::size_t done, std::size_t total);
  // Clears the bar so that the next line starts clean.
  void Finish();

 private:
  std::string label_;
  bool enabled_;
  bool lines_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_{};
};

// Whether standard error is a terminal.
bool StderrIsTerminal();

}  // namespace zurender
