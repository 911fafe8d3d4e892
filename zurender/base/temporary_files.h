// The files this process is writing under temporary names. When it is interrupted (see
// interruption.h) they are removed before it ends, so that a stopped run leaves nothing half
// written; what a killed run leaves, the next one removes (stale_temporaries.h).
#pragma once

#include <string>

namespace zurender {

void RegisterTemporary(const std::string& path);
void ForgetTemporary(const std::string& path);
// Folders this run made for its files: an interrupted run removes them again if they are empty,
// so that it leaves no trace where it wrote nothing.
void RegisterMadeFolder(const std::string& path);
void ForgetMadeFolder(const std::string& path);

// Runs work with interruptions held off: an interruption that comes meanwhile takes effect only
// when work has returned. For renames that must all happen or none.
template <typename Work>
auto WithoutInterruption(Work&& work) -> decltype(work());

// What to say, after "interrupted", about the files of the run; set by the command running.
void SetInterruptionNote(const std::string& note);

// For the interruption handler: removes every temporary, then every made folder left empty, and
// returns the note. Holds interruptions
// off for good: the process ends after it.
std::string RemoveTemporariesForExit();

namespace detail {
void HoldInterruptions();
void ReleaseInterruptions();
}  // namespace detail

template <typename Work>
auto WithoutInterruption(Work&& work) -> decltype(work()) {
  struct Held {
    Held() { detail::HoldInterruptions(); }
    ~Held() { detail::ReleaseInterruptions(); }
  } held;
  return work();
}

}  // namespace zurender
