#include "zurender/check/manifest_reader.h"

#include <algorithm>

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

  const auto size = root.find("size");
  if (size == root.end()) return fail("size", "missing");
  if (!size->is_array() || size->size() != 2 || !(*size)[0].is_number_integer() || !(*size)[1].is_number_integer() ||
      (*size)[0].get<std::int64_t>() < 1 || (*size)[0].get<std::int64_t>() > kLargestSide ||
      (*size)[1].get<std::int64_t>() < 1 || (*size)[1].get<std::int64_t>() > kLargestSide)
    return fail("size", "expected [width, height], each 1 to " + std::to_string(kLargestSide));
  facts.width = int((*size)[0].get<std::int64_t>());
  facts.height = int((*size)[1].get<std::int64_t>());

  const auto depth = root.find("depth");
  if (depth == root.end()) return fail("depth", "missing");
  if (!depth->is_number_integer() || (*depth != 8 && *depth != 16 && *depth != 32))
    return fail("depth", "expected 8, 16 or 32");
  facts.depth = depth->get<int>();

  if (const auto fog = root.find("fog"); fog != root.end()) {
    if (!fog->is_boolean()) return fail("fog", "expected true or false");
    facts.fog = fog->get<bool>();
  }

  if (const auto settings = root.find("settings"); settings != root.end()) {
    if (!settings->is_object()) return fail("settings", "expected an object");
    if (const auto stored = settings->find("storedList"); stored != settings->end()) {
      if (!stored->is_string()) return fail("settings.storedList", "expected a base64 text");
      auto bytes = DecodeBase64(stored->get<std::string>());
      if (!bytes) return fail("settings.storedList", "not base64");
      facts.storedList = std::move(*bytes);
    }
  }

  const auto layers = root.find("layers");
  if (layers == root.end()) return fail("layers", "missing");
  if (!layers->is_array()) return fail("layers", "expected an array");
  for (std::size_t i = 0; i < layers->size(); ++i) {
    const json& layer = (*layers)[i];
    const std::string field = "layers[" + std::to_string(i) + "]";
    if (!layer.is_object()) return fail(field, "expected an object");
    const auto name = layer.find("name");
    if (name == layer.end() || !name->is_string()) return fail(field + ".name", "expected a string");
    facts.layerNames.push_back(Utf8ToCp1252(name->get<std::string>()));
  }

  if (const auto files = root.find("files"); files != root.end()) {
    if (!files->is_array()) return fail("files", "expected an array of file names");
    for (std::size_t i = 0; i < files->size(); ++i) {
      if (!(*files)[i].is_string()) return fail("files[" + std::to_string(i) + "]", "expected a file name");
      facts.files.push_back((*files)[i].get<std::string>());
    }
  }
  return facts;
}

Result<ManifestFacts> ReadManifest(const std::string& path) {
  Result<std::string> text = ReadWholeFile(path, kManifestFileLimit);
  if (!text.ok()) return Status::Error(path + ": cannot be read: " + text.message());
  return ParseManifest(text.value(), path);
}

}  // namespace zurender
