// A value or the one message that says why there is none. The scene subsystem reports every
// failure this way: nothing it does throws to its caller.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace zurender {

template <typename T>
class Result {
 public:
  static Result Ok(T value) {
    Result r;
    r.value_.emplace(std::move(value));
    return r;
  }
  static Result Fail(std::string error) {
    Result r;
    r.error_ = std::move(error);
    return r;
  }

  bool ok() const { return value_.has_value(); }
  const T& value() const& { return *value_; }
  T& value() & { return *value_; }
  T&& value() && { return std::move(*value_); }
  // Empty when ok().
  const std::string& error() const { return error_; }

 private:
  Result() = default;
  std::optional<T> value_;
  std::string error_;
};

}  // namespace zurender
