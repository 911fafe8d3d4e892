#include "zurender/settings/settings_file.h"

#include <limits>
#include <sstream>

#include <nlohmann/json.hpp>

#include "zurender/base/atomic_file.h"
#include "zurender/base/file_reading.h"
#include "zurender/base/four_cc.h"
#include "zurender/base/json_document.h"
#include "zurender/base/read_limits.h"
#include "zurender/settings/base64.h"
#include "zurender/settings/stored_list_check.h"

namespace zurender {
namespace {

using nlohmann::json;

struct WordField {
  const char* name;
  std::int32_t hostsim::ParamWords::*word;
};

constexpr WordField kWordFields[] = {
    {"version", &hostsim::ParamWords::version},
    {"nameMode", &hostsim::ParamWords::nameMode},
    {"outputPairEnabled", &hostsim::ParamWords::outputPairEnabled},
    {"outputPairPreset", &hostsim::ParamWords::outputPairPreset},
    {"edgeMask", &hostsim::ParamWords::edgeMask},
    {"outputPairCustom1", &hostsim::ParamWords::outputPairCustom1},
    {"outputPairCustom2", &hostsim::ParamWords::outputPairCustom2},
};

}  // namespace

ParsedSettings ParseSettings(const std::string& text, const std::string& fileName) {
  ParsedSettings parsed;
  auto fail = [&](const std::string& field, const std::string& what) {
    parsed.error = fileName + ": " + (field.empty() ? "" : field + ": ") + what;
    return parsed;
  };
  Result<json> parsedText = ParseJsonText(text);
  if (!parsedText.ok()) {
    // A key given twice names itself; any other mistake is the file's as a whole.
    const std::string& why = parsedText.message();
    return why.find("duplicate key") != std::string::npos ? fail("", why) : fail("", "not valid JSON");
  }
  const json& root = parsedText.value();
  if (!root.is_object()) return fail("", "expected an object with parameterBlock and storedList");
  if (!root.contains("parameterBlock")) return fail("parameterBlock", "missing");
  const json& block = root["parameterBlock"];
  if (!block.is_object()) return fail("parameterBlock", "expected an object");
  PluginSettings& s = parsed.settings;

  if (!block.contains("magic")) return fail("parameterBlock.magic", "missing");
  const json& magic = block["magic"];
  if (!magic.is_string() || magic.get<std::string>().size() != 4)
    return fail("parameterBlock.magic", "expected four characters such as \"LYER\"");
  s.words.magic = FourCCFromChars(magic.get<std::string>());

  for (const WordField& field : kWordFields) {
    const std::string path = std::string("parameterBlock.") + field.name;
    if (!block.contains(field.name)) return fail(path, "missing");
    const json& value = block[field.name];
    if (!value.is_number_integer() || value.get<std::int64_t>() < std::numeric_limits<std::int32_t>::min() ||
        value.get<std::int64_t>() > std::numeric_limits<std::int32_t>::max())
      return fail(path, "expected a 32-bit integer");
    s.words.*field.word = std::int32_t(value.get<std::int64_t>());
  }

  if (!root.contains("storedList")) return fail("storedList", "missing");
  const json& stored = root["storedList"];
  if (!stored.is_string()) return fail("storedList", "expected a base64 text (\"\" for none)");
  auto bytes = DecodeBase64(stored.get<std::string>());
  if (!bytes) return fail("storedList", "not base64");
  s.storedList = std::move(*bytes);
  if (const std::string damage = StoredListDamage(s.storedList); !damage.empty())
    return fail("storedList", damage + ": the file is damaged (zurender layers " + fileName + " init makes a new one)");
  return parsed;
}

ParsedSettings ReadSettingsFile(const std::string& path) {
  Result<std::string> text = ReadWholeFile(path, kSettingsFileLimit);
  if (!text.ok()) {
    ParsedSettings parsed;
    parsed.error = path + ": cannot be read: " + text.message();
    return parsed;
  }
  return ParseSettings(text.value(), path);
}

std::string SettingsToJson(const PluginSettings& s) {
  // Written field by field so that the file reads in the parameter block's order.
  std::ostringstream out;
  out << "{\n  \"parameterBlock\": {\n    \"magic\": " << json(FourCCChars(s.words.magic)).dump(-1, ' ', false, json::error_handler_t::replace);
  for (const WordField& field : kWordFields) out << ",\n    \"" << field.name << "\": " << s.words.*field.word;
  out << "\n  },\n  \"storedList\": \"" << EncodeBase64(s.storedList) << "\"\n}\n";
  return out.str();
}

Status WriteSettingsFile(const std::string& path, const PluginSettings& settings) {
  AtomicFile file;
  const std::string text = SettingsToJson(settings);
  if (Status s = file.Open(path); !s.ok()) return s;
  if (Status s = file.Write(text.data(), text.size()); !s.ok()) return s;
  return file.Commit();
}

}  // namespace zurender
