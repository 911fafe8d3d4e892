#include "zurender/base/json_document.h"

#include <set>
#include <vector>

namespace zurender {
namespace {

using nlohmann::json;

// A message quotes at most this much of the text it stopped at: a string of 100,000 characters
// must not make an error line of that length.
constexpr std::size_t kQuotedText = 48;

// nlohmann's messages start with an id in brackets that means nothing to a person.
std::string WithoutExceptionId(const std::string& what) {
  const std::size_t end = what.find("] ");
  return what.size() > 0 && what[0] == '[' && end != std::string::npos ? what.substr(end + 2) : what;
}

std::string Shortened(std::string message) {
  const std::string mark = "last read: '";
  const std::size_t at = message.find(mark);
  if (at == std::string::npos) return message.size() > 4 * kQuotedText ? message.substr(0, 4 * kQuotedText) + "..." : message;
  const std::size_t start = at + mark.size();
  const std::size_t end = message.rfind('\'');
  if (end == std::string::npos || end <= start || end - start <= kQuotedText) return message;
  // The end of what was read is where the mistake is.
  return message.substr(0, start) + "..." + message.substr(end - kQuotedText);
}

struct Container {
  bool array = false;
  std::size_t index = 0;  // of the element being read, in an array
  std::string key;        // of the value being read, in an object
  std::set<std::string> keys;
};

std::string PathOf(const std::vector<Container>& stack) {
  std::string path;
  for (std::size_t i = 0; i + 1 < stack.size(); ++i) {
    if (stack[i].array) path += "[" + std::to_string(stack[i].index) + "]";
    else path += (path.empty() ? "" : ".") + stack[i].key;
  }
  return path;
}

}  // namespace

Result<json> ParseJsonText(const std::string& text) {
  std::vector<Container> stack;
  std::string duplicate;
  auto elementDone = [&] {
    if (!stack.empty() && stack.back().array) ++stack.back().index;
  };
  const json::parser_callback_t watch = [&](int, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start: stack.emplace_back(); break;
      case json::parse_event_t::array_start:
        stack.emplace_back();
        stack.back().array = true;
        break;
      case json::parse_event_t::key:
        if (!stack.empty() && parsed.is_string()) {
          Container& object = stack.back();
          object.key = parsed.get<std::string>();
          if (!object.keys.insert(object.key).second && duplicate.empty()) {
            const std::string path = PathOf(stack);
            duplicate = (path.empty() ? "" : path + ": ") + "duplicate key \"" + object.key + "\"";
          }
        }
        break;
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        if (!stack.empty()) stack.pop_back();
        elementDone();
        break;
      case json::parse_event_t::value: elementDone(); break;
    }
    return true;
  };
  try {
    json root = json::parse(text, watch);
    if (!duplicate.empty()) return Status::Error(duplicate);
    return root;
  } catch (const json::exception& error) {
    return Status::Error(Shortened(WithoutExceptionId(error.what())));
  }
}

}  // namespace zurender
