#include "zurender/scene/json_fields.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace zurender {
namespace {

std::string Range(float lo, float hi) {
  std::ostringstream s;
  s << "between " << lo << " and " << hi;
  return s.str();
}

// The value as a float when it is a JSON number whose float is finite.
bool AsFloat(const nlohmann::json& v, float& out) {
  if (!v.is_number()) return false;
  out = static_cast<float>(v.get<double>());
  return std::isfinite(out);
}

}  // namespace

void LoadErrors::Report(const std::string& path, const std::string& what) {
  if (failed()) return;
  message_ = path.empty() ? file_ + ": " + what : file_ + ": " + path + ": " + what;
}

JsonFields::JsonFields(const nlohmann::json& value, std::string path, LoadErrors& errors)
    : value_(value), path_(std::move(path)), errors_(errors) {
  if (!value_.is_object()) errors_.Report(path_, "expected an object");
}

std::string JsonFields::KeyPath(const char* key) const { return path_.empty() ? key : path_ + "." + key; }

bool JsonFields::Has(const char* key) const { return value_.is_object() && value_.contains(key); }

bool JsonFields::Start(const char* key) {
  read_.insert(key);
  return !errors_.failed() && Has(key);
}

void JsonFields::Fail(const char* key, const std::string& what) { errors_.Report(KeyPath(key), what); }

const nlohmann::json* JsonFields::Get(const char* key) { return Start(key) ? &value_.at(key) : nullptr; }

void JsonFields::Number(const char* key, float& out, float lo, float hi) {
  if (!Start(key)) return;
  float v;
  if (!AsFloat(value_.at(key), v) || v < lo || v > hi) return Fail(key, "expected a number " + Range(lo, hi));
  out = v;
}

void JsonFields::NumberAbove(const char* key, float& out, float lo, float hi) {
  if (!Start(key)) return;
  float v;
  if (!AsFloat(value_.at(key), v) || v <= lo || v > hi) {
    std::ostringstream s;
    s << "expected a number above " << lo << " and at most " << hi;
    return Fail(key, s.str());
  }
  out = v;
}

void JsonFields::Integer(const char* key, int& out, int lo, int hi) {
  if (!Start(key)) return;
  const nlohmann::json& v = value_.at(key);
  const std::string expected = "expected a whole number between " + std::to_string(lo) + " and " + std::to_string(hi);
  if (!v.is_number_integer()) return Fail(key, expected);
  // Compared as a 64-bit number first: a huge one must not wrap into range.
  const long long n =
      v.is_number_unsigned() && v.get<unsigned long long>() > 0x7fffffffULL ? 0x7fffffffffffLL : v.get<long long>();
  if (n < lo || n > hi) return Fail(key, expected);
  out = static_cast<int>(n);
}

void JsonFields::Bool(const char* key, bool& out) {
  if (!Start(key)) return;
  if (!value_.at(key).is_boolean()) return Fail(key, "expected true or false");
  out = value_.at(key).get<bool>();
}

void JsonFields::String(const char* key, std::string& out) {
  if (!Start(key)) return;
  if (!value_.at(key).is_string()) return Fail(key, "expected a string");
  out = value_.at(key).get<std::string>();
}

bool JsonFields::Triple(const char* key, Vec3& out, float lo, float hi, const char* expected) {
  const nlohmann::json& v = value_.at(key);
  Vec3 r;
  bool ok = v.is_array() && v.size() == 3;
  for (int i = 0; ok && i < 3; ++i) ok = AsFloat(v[i], r[i]) && r[i] >= lo && r[i] <= hi;
  if (!ok) {
    Fail(key, std::string("expected ") + expected);
    return false;
  }
  out = r;
  return true;
}

void JsonFields::Colour(const char* key, Vec3& out) {
  if (!Start(key)) return;
  Triple(key, out, 0.0f, kLargestValue, "a colour: an array of 3 numbers between 0 and 1e+06");
}

void JsonFields::Point(const char* key, Vec3& out) {
  if (!Start(key)) return;
  Triple(key, out, -kLargestValue, kLargestValue, "an array of 3 numbers between -1e+06 and 1e+06");
}

void JsonFields::Direction(const char* key, Vec3& out) {
  if (!Start(key)) return;
  Vec3 d;
  if (!Triple(key, d, -kLargestValue, kLargestValue, "a direction: an array of 3 numbers, not all 0")) return;
  float length = Length(d);
  if (!(length > 1e-20f)) {
    // Squares of tiny components vanish in float: such a direction is scaled up first.
    const float largest = std::max({std::fabs(d.x), std::fabs(d.y), std::fabs(d.z)});
    if (!(largest > 0.0f)) return Fail(key, "expected a direction: an array of 3 numbers, not all 0");
    d = Vec3{d.x / largest, d.y / largest, d.z / largest};
    length = Length(d);
  }
  out = d * (1.0f / length);
}

void JsonFields::Scale(const char* key, Vec3& out) {
  if (!Start(key)) return;
  const nlohmann::json& v = value_.at(key);
  const char* expected = "expected a number or an array of 3 numbers, each above 0 and at most 1e+06";
  if (v.is_number()) {
    float s;
    if (!AsFloat(v, s) || s <= 0.0f || s > kLargestValue) return Fail(key, expected);
    out = Splat(s);
    return;
  }
  Vec3 s;
  if (!Triple(key, s, 0.0f, kLargestValue, "a number or an array of 3 numbers, each above 0 and at most 1e+06")) return;
  if (s.x <= 0.0f || s.y <= 0.0f || s.z <= 0.0f) return Fail(key, expected);
  out = s;
}

void JsonFields::Choice(const char* key, int& out, std::initializer_list<const char*> names) {
  if (!Start(key)) return;
  const nlohmann::json& v = value_.at(key);
  std::string list;
  int index = 0;
  for (const char* name : names) {
    if (v.is_string() && v.get<std::string>() == name) {
      out = index;
      return;
    }
    list += (index == 0 ? "\"" : ", \"") + std::string(name) + "\"";
    ++index;
  }
  Fail(key, "expected one of " + list);
}

void JsonFields::RejectUnknownKeys() {
  if (errors_.failed() || !value_.is_object()) return;
  for (const auto& item : value_.items()) {
    const std::string& key = item.key();
    if (read_.count(key) != 0 || (!key.empty() && key[0] == '_')) continue;
    std::string what = "unknown key \"" + key + "\"";
    if (key.find("color") != std::string::npos) what += " (colours are spelt \"colour\")";
    errors_.Report(path_, what);
    return;
  }
}

}  // namespace zurender
