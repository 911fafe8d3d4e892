#include "zurender/check/manifest_reader.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "zurender/base/file_reading.h"
#include "zurender/base/json_document.h"
#include "zurender/base/read_limits.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/psd_format.h"
#include "zurender/settings/base64.h"

namespace zurender {
namespace {

using nlohmann::json;

// The largest side any of the host's files can have.
constexpr std::int64_t kLargestSide = kPsdMaxSide;

// Each part of the manifest the check reads: none when read, else the field and what is wrong.
using FieldError = std::pair<std::string, std::string>;

std::optional<FieldError> ReadFrame(const json& root, ManifestFacts& facts) {
  const auto size = root.find("size");
  if (size == root.end()) return FieldError{"size", "missing"};
  if (!size->is_array() || size->size() != 2 || !(*size)[0].is_number_integer() || !(*size)[1].is_number_integer() ||
      (*size)[0].get<std::int64_t>() < 1 || (*size)[0].get<std::int64_t>() > kLargestSide ||
      (*size)[1].get<std::int64_t>() < 1 || (*size)[1].get<std::int64_t>() > kLargestSide)
    return FieldError{"size", "expected [width, height], each 1 to " + std::to_string(kLargestSide)};
  facts.width = int((*size)[0].get<std::int64_t>());
  facts.height = int((*size)[1].get<std::int64_t>());

  const auto depth = root.find("depth");
  if (depth == root.end()) return FieldError{"depth", "missing"};
  if (!depth->is_number_integer() || (*depth != 8 && *depth != 16 && *depth != 32))
    return FieldError{"depth", "expected 8, 16 or 32"};
  facts.depth = depth->get<int>();

  if (const auto fog = root.find("fog"); fog != root.end()) {
    if (!fog->is_boolean()) return FieldError{"fog", "expected true or false"};
    facts.fog = fog->get<bool>();
  }
  return std::nullopt;
}

std::optional<FieldError> ReadStoredList(const json& root, ManifestFacts& facts) {
  const auto settings = root.find("settings");
  if (settings == root.end()) return std::nullopt;
  if (!settings->is_object()) return FieldError{"settings", "expected an object"};
  if (const auto stored = settings->find("storedList"); stored != settings->end()) {
    if (!stored->is_string()) return FieldError{"settings.storedList", "expected a base64 text"};
    auto bytes = DecodeBase64(stored->get<std::string>());
    if (!bytes) return FieldError{"settings.storedList", "not base64"};
    facts.storedList = std::move(*bytes);
  }
  return std::nullopt;
}

std::optional<FieldError> ReadLayers(const json& root, ManifestFacts& facts) {
  const auto layers = root.find("layers");
  if (layers == root.end()) return FieldError{"layers", "missing"};
  if (!layers->is_array()) return FieldError{"layers", "expected an array"};
  for (std::size_t i = 0; i < layers->size(); ++i) {
    const json& layer = (*layers)[i];
    const std::string field = "layers[" + std::to_string(i) + "]";
    if (!layer.is_object()) return FieldError{field, "expected an object"};
    const auto name = layer.find("name");
    if (name == layer.end() || !name->is_string()) return FieldError{field + ".name", "expected a string"};
    facts.layerNames.push_back(Utf8ToCp1252(name->get<std::string>()));
  }
  return std::nullopt;
}

std::optional<FieldError> ReadFiles(const json& root, ManifestFacts& facts) {
  const auto files = root.find("files");
  if (files == root.end()) return std::nullopt;
  if (!files->is_array()) return FieldError{"files", "expected an array of file names"};
  for (std::size_t i = 0; i < files->size(); ++i) {
    if (!(*files)[i].is_string()) return FieldError{"files[" + std::to_string(i) + "]", "expected a file name"};
    facts.files.push_back((*files)[i].get<std::string>());
  }
  return std::nullopt;
}

}  // namespace

bool ManifestFacts::Lists(const std::string& file) const { return std::find(files.begin(), files.end(), file) != files.end(); }

Result<ManifestFacts> ParseManifest(const std::string& text, const std::string& where) {
  auto fail = [&](const std::string& field, const std::string& what) {
    return Status::Error(where + ": " + (field.empty() ? "" : field + ": ") + what);
  };
  Result<json> parsed = ParseJsonText(text);
  if (!parsed.ok()) return fail("", "not valid JSON (" + parsed.message() + ")");
  const json& root = parsed.value();
  if (!root.is_object()) return fail("", "expected an object");
  ManifestFacts facts;
  for (const auto read : {ReadFrame, ReadStoredList, ReadLayers, ReadFiles})
    if (const std::optional<FieldError> error = read(root, facts)) return fail(error->first, error->second);
  return facts;
}

Result<ManifestFacts> ReadManifest(const std::string& path) {
  Result<std::string> text = ReadWholeFile(path, kManifestFileLimit);
  if (!text.ok()) return Status::Error(path + ": cannot be read: " + text.message());
  return ParseManifest(text.value(), path);
}

}  // namespace zurender
