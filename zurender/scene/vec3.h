// Three floats: points, directions and colours of the render host. Everything is 32-bit float
// arithmetic, the same arithmetic the plug-in does its light sums in.
#pragma once

#include <cmath>

namespace zurender {

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
  constexpr float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
};

constexpr Vec3 Splat(float v) { return {v, v, v}; }
constexpr Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
constexpr Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
constexpr Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
constexpr Vec3 operator*(Vec3 a, Vec3 b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
constexpr Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
constexpr Vec3 operator*(float s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
constexpr Vec3& operator+=(Vec3& a, Vec3 b) { return a = a + b; }
constexpr Vec3& operator*=(Vec3& a, Vec3 b) { return a = a * b; }
constexpr Vec3& operator*=(Vec3& a, float s) { return a = a * s; }
constexpr bool operator==(Vec3 a, Vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

constexpr float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalize(Vec3 a) { return a * (1.0f / Length(a)); }
constexpr Vec3 Min(Vec3 a, Vec3 b) { return {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.z < b.z ? a.z : b.z}; }
constexpr Vec3 Max(Vec3 a, Vec3 b) { return {a.x > b.x ? a.x : b.x, a.y > b.y ? a.y : b.y, a.z > b.z ? a.z : b.z}; }
constexpr float MaxComponent(Vec3 a) { return a.x > a.y ? (a.x > a.z ? a.x : a.z) : (a.y > a.z ? a.y : a.z); }
constexpr bool IsBlack(Vec3 a) { return a.x == 0.0f && a.y == 0.0f && a.z == 0.0f; }

// The direction a ray leaves a surface with normal n after arriving along d.
constexpr Vec3 Reflect(Vec3 d, Vec3 n) { return d - n * (2.0f * Dot(d, n)); }

// A point turned about the vertical axis by an angle given as its cosine and sine; positive
// angles turn +x towards -z (counter-clockwise seen from above).
constexpr Vec3 RotateY(Vec3 p, float cosA, float sinA) {
  return {cosA * p.x + sinA * p.z, p.y, -sinA * p.x + cosA * p.z};
}

constexpr float kPi = 3.14159265358979f;
constexpr float Radians(float degrees) { return degrees * (kPi / 180.0f); }

}  // namespace zurender
