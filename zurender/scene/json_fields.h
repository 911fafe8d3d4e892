// Reads the fields of one JSON object of a scene file, with defaults for absent ones, and
// records the first mistake as "<file>: <path>.<key>: <what is wrong>". After a mistake every
// further read does nothing, so a loader can read a whole object and check once at the end.
#pragma once

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "zurender/scene/vec3.h"

namespace zurender {

// The first error of one load.
class LoadErrors {
 public:
  explicit LoadErrors(std::string file) : file_(std::move(file)) {}
  bool failed() const { return !message_.empty(); }
  const std::string& message() const { return message_; }
  // Keeps only the first report.
  void Report(const std::string& path, const std::string& what);

 private:
  std::string file_;
  std::string message_;
};

// Largest magnitude accepted for a coordinate or a colour channel: far below float's range, so
// that products of a few of them stay finite.
constexpr float kLargestValue = 1e6f;

class JsonFields {
 public:
  // Reports a mistake at once when value is not an object.
  JsonFields(const nlohmann::json& value, std::string path, LoadErrors& errors);

  const std::string& path() const { return path_; }
  std::string KeyPath(const char* key) const;
  bool Has(const char* key) const;
  // The value of a key that is present, for nested objects and arrays; nullptr when absent.
  const nlohmann::json* Get(const char* key);

  void Number(const char* key, float& out, float lo, float hi);
  // Like Number, but lo itself is refused.
  void NumberAbove(const char* key, float& out, float lo, float hi);
  void Integer(const char* key, int& out, int lo, int hi);
  void Bool(const char* key, bool& out);
  void String(const char* key, std::string& out);
  void Colour(const char* key, Vec3& out);     // three numbers, each 0 to kLargestValue
  void Point(const char* key, Vec3& out);      // three numbers within +-kLargestValue
  void Direction(const char* key, Vec3& out);  // three numbers, not all 0; made unit length
  // A number (the same on each axis) or three; each above 0.
  void Scale(const char* key, Vec3& out);
  // One of the names; out is its index.
  void Choice(const char* key, int& out, std::initializer_list<const char*> names);

  // Reports the first key no read asked for. Keys starting with "_" are comments and pass.
  void RejectUnknownKeys();

 private:
  bool Start(const char* key);  // false when absent or after a mistake
  void Fail(const char* key, const std::string& what);
  bool Triple(const char* key, Vec3& out, float lo, float hi, const char* expected);

  const nlohmann::json& value_;
  std::string path_;
  LoadErrors& errors_;
  std::set<std::string> read_;
};

}  // namespace zurender
