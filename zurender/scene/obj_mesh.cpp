#include "zurender/scene/obj_mesh.h"

#include <tiny_obj_loader.h>

#include <charconv>
#include <cmath>
#include <string_view>

#include "zurender/base/file_reading.h"

namespace zurender {
namespace {

std::string FirstLine(std::string text) {
  const std::size_t end = text.find('\n');
  if (end != std::string::npos) text.resize(end);
  return text;
}

// Coordinates beyond this are refused: placed and scaled by the scene they must stay finite.
constexpr float kLargestCoordinate = 1e6f;

bool Triples(const std::vector<tinyobj::real_t>& values) {
  for (tinyobj::real_t v : values) {
    if (!(std::fabs(v) <= kLargestCoordinate)) return false;
  }
  return values.size() % 3 == 0;
}

Vec3 At(const std::vector<tinyobj::real_t>& values, std::size_t i) {
  return {values[3 * i], values[3 * i + 1], values[3 * i + 2]};
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The words of a line, without its comment.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size() && line[i] != '#') {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i]) && line[i] != '#') ++i;
    words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool IsFiniteNumber(std::string_view word) {
  if (!word.empty() && word[0] == '+') word.remove_prefix(1);
  float value = 0.0f;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

// A whole number, not 0 (OBJ counts from 1, and back from -1).
bool IsIndex(std::string_view word) {
  long long value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size() && !word.empty();
}

// The reader this host uses takes what is not a number for 0 and a corner such as "1/" for
// vertex 0, so the numbers are checked here first: a coordinate must be a finite number and a
// face corner v, v/vt, v//vn or v/vt/vn. Only the lines the mesh is made of go on to it (the
// reader's handling of the others, such as skin weights, is not safe with any input): `used`
// gets them. The message, or "" when every line is good.
std::string CheckNumbers(std::string_view text, std::string& used) {
  used.clear();
  used.reserve(text.size());
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    const std::vector<std::string_view> words = Words(line);
    if (words.empty() || !(words[0] == "v" || words[0] == "vn" || words[0] == "vt" || words[0] == "f")) {
      used += '\n';  // the line numbers stay the file's
      continue;
    }
    used.append(line);
    used += '\n';
    const std::string at = "line " + std::to_string(lineNumber) + ": ";
    if (words[0] == "v" || words[0] == "vn") {
      for (std::size_t w = 1; w < words.size(); ++w)
        if (!IsFiniteNumber(words[w]))
          return at + (words[0] == "v" ? "a vertex" : "a normal") + " has \"" + std::string(words[w].substr(0, 32)) +
                 "\", which is not a finite number";
    } else if (words[0] == "f") {
      for (std::size_t w = 1; w < words.size(); ++w) {
        const std::string_view corner = words[w];
        const std::size_t first = corner.find('/');
        const std::size_t second = first == std::string_view::npos ? first : corner.find('/', first + 1);
        const bool good =
            IsIndex(corner.substr(0, first)) &&
            (first == std::string_view::npos ||
             (second == std::string_view::npos ? IsIndex(corner.substr(first + 1))
                                               : (second == first + 1 || IsIndex(corner.substr(first + 1, second - first - 1))) &&
                                                     IsIndex(corner.substr(second + 1))));
        if (!good)
          return at + "a face corner \"" + std::string(corner.substr(0, 32)) + "\" is not v, v/vt, v//vn or v/vt/vn";
        long long vertex = 0;
        const std::string_view number = corner.substr(0, first);
        std::from_chars(number.data(), number.data() + number.size(), vertex);
        if (vertex == 0) return "a face refers to a vertex that does not exist";
      }
    }
  }
  return "";
}

}  // namespace

Result<TriangleMesh> ParseObjMesh(const std::string& text, const std::string& name) {
  std::string used;
  if (const std::string wrong = CheckNumbers(text, used); !wrong.empty()) return Status::Error("mesh \"" + name + "\": " + wrong);
  tinyobj::ObjReaderConfig config;
  config.triangulate = true;
  config.vertex_color = false;
  tinyobj::ObjReader reader;
  // Without material text, tinyobj ignores "mtllib" and reads no other file.
  if (!reader.ParseFromString(used, "", config)) {
    return Status::Error("mesh \"" + name + "\": " + FirstLine(reader.Error()));
  }
  const tinyobj::attrib_t& attrib = reader.GetAttrib();
  if (!Triples(attrib.vertices) || !Triples(attrib.normals)) {
    return Status::Error("mesh \"" + name + "\": a vertex or normal is not a number between -1e+06 and 1e+06");
  }
  const std::size_t vertexCount = attrib.vertices.size() / 3;
  const std::size_t normalCount = attrib.normals.size() / 3;

  // One output vertex per face corner: simple, and the only way to keep OBJ's separate
  // position and normal indices.
  TriangleMesh mesh;
  bool allNormals = normalCount > 0;
  for (const tinyobj::shape_t& shape : reader.GetShapes()) {
    for (unsigned char corners : shape.mesh.num_face_vertices) {
      if (corners != 3)
        return Status::Error("mesh \"" + name + "\": a face has fewer than 3 corners or could not be split into triangles");
    }
    const auto& indices = shape.mesh.indices;
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
      std::array<std::uint32_t, 3> tri{};
      for (int c = 0; c < 3; ++c) {
        const tinyobj::index_t& index = indices[i + c];
        if (index.vertex_index < 0 || static_cast<std::size_t>(index.vertex_index) >= vertexCount) {
          return Status::Error("mesh \"" + name + "\": a face refers to a vertex that does not exist");
        }
        if (index.normal_index < 0 || static_cast<std::size_t>(index.normal_index) >= normalCount) {
          allNormals = false;
        }
        tri[c] = static_cast<std::uint32_t>(mesh.positions.size());
        mesh.positions.push_back(At(attrib.vertices, static_cast<std::size_t>(index.vertex_index)));
        mesh.normals.push_back(allNormals ? At(attrib.normals, static_cast<std::size_t>(index.normal_index)) : Vec3{});
      }
      mesh.triangles.push_back(tri);
    }
  }
  if (mesh.triangles.empty()) return Status::Error("mesh \"" + name + "\" has no faces");
  // Normals only when every corner has a usable one; otherwise the triangles are flat.
  for (Vec3& n : mesh.normals) {
    const float length = Length(n);
    if (!allNormals || !(length > 1e-20f)) {
      allNormals = false;
      break;
    }
    n = n * (1.0f / length);
  }
  if (!allNormals) mesh.normals.clear();
  return mesh;
}

Result<TriangleMesh> LoadObjMesh(const std::string& path, const std::string& name) {
  Result<std::string> text = ReadWholeFile(path, kMeshFileLimit);
  if (!text.ok()) return Status::Error("cannot read mesh \"" + name + "\": " + text.message());
  return ParseObjMesh(text.value(), name);
}

}  // namespace zurender
