// Errors as values, for every subsystem of the render host: a function that returns a Status or a
// Result reports its failure there, naming the file and the reason, and neither throws nor aborts.
#pragma once

#include <string>
#include <utility>

namespace zurender {

// The outcome of an operation: ok, or a message naming what failed (the file and the reason).
class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status Error(std::string message) {
    Status status;
    status.message_ = message.empty() ? std::string("unknown error") : std::move(message);
    return status;
  }
  bool ok() const { return message_.empty(); }
  const std::string& message() const { return message_; }

 private:
  std::string message_;  // empty when ok
};

// A value, or the error that prevented it. T must be default-constructible.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose, like a return value
  Result(Status error) : status_(std::move(error)) {
    if (status_.ok()) status_ = Status::Error("internal error: an empty result");
  }
  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }
  const std::string& message() const { return status_.message(); }
  T& value() { return value_; }
  const T& value() const { return value_; }
  T* operator->() { return &value_; }
  const T* operator->() const { return &value_; }

 private:
  T value_{};
  Status status_;
};

}  // namespace zurender
