#include "zurender/base/interruption.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "zurender/base/temporary_files.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace zurender {
namespace {

void Report(const char* what) {
  const std::string note = RemoveTemporariesForExit();
  std::fprintf(stderr, "zurender: interrupted by %s%s%s\n", what, note.empty() ? "" : "; ", note.c_str());
  std::fflush(stderr);
}

#if defined(_WIN32)

BOOL WINAPI OnConsoleEvent(DWORD event) {
  Report(event == CTRL_C_EVENT ? "Ctrl+C" : event == CTRL_BREAK_EVENT ? "Ctrl+Break" : "the console closing");
  return FALSE;  // and the system ends the process
}

}  // namespace

void InstallInterruptionHandler() { ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

#else

sigset_t Signals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

void* WaitForSignal(void*) {
  const sigset_t set = Signals();
  int signal = 0;
  while (sigwait(&set, &signal) != 0) {
  }
  Report(signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP");
  // Ended by the signal itself, so that the shell sees what ended it.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigaction(signal, &action, nullptr);
  sigset_t one;
  sigemptyset(&one);
  sigaddset(&one, signal);
  pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
  raise(signal);
  _exit(128 + signal);
}

}  // namespace

void InstallInterruptionHandler() {
  const sigset_t set = Signals();
  if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0) return;
  pthread_t thread;
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  if (pthread_create(&thread, &attributes, WaitForSignal, nullptr) != 0) pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  pthread_attr_destroy(&attributes);
}

#endif

}  // namespace zurender
