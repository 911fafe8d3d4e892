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
  if (at == std::string::npos) {
    if (message.size() > 4 * kQuotedText) message.resize(4 * kQuotedText), message.append("...");
    return message;
  }
  const std::size_t start = at + mark.size();
  const std::size_t end = message.rfind('\'');
  if (end == std::string::npos || end <= start || end - start <= kQuotedText) return message;
  // The end of what was read is where the mistake is; a byte that is not printable ASCII (the
  // bad byte itself, often) is shown as '?', so that the line stays text.
  std::string quoted = message.substr(end - kQuotedText, kQuotedText);
  for (char& c : quoted)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
  // Built piece by piece: GCC 12 warns wrongly about overlap in a chain of + at -O3.
  std::string shortened = message.substr(0, start);
  shortened.append("...").append(quoted).append(message, end, std::string::npos);
  return shortened;
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
    if (stack[i].array) {
      path.append("[").append(std::to_string(stack[i].index)).append("]");
    } else {
      if (!path.empty()) path.append(".");
      path.append(stack[i].key);
    }
  }
  return path;
}

// Walks the text again, building nothing, for the first key given twice in one object. (The
// parser's own callbacks would do it in one pass, but cost time quadratic in an array's length.)
class DuplicateKeys final : public nlohmann::json_sax<json> {
 public:
  std::string found;

  bool null() override { return Value(); }
  bool boolean(bool) override { return Value(); }
  bool number_integer(number_integer_t) override { return Value(); }
  bool number_unsigned(number_unsigned_t) override { return Value(); }
  bool number_float(number_float_t, const string_t&) override { return Value(); }
  bool string(string_t&) override { return Value(); }
  bool binary(binary_t&) override { return Value(); }
  bool start_object(std::size_t) override {
    stack_.emplace_back();
    return true;
  }
  bool key(string_t& key) override {
    Container& object = stack_.back();
    object.key = key;
    if (object.keys.insert(key).second) return true;
    const std::string path = PathOf(stack_);
    found = path;
    if (!found.empty()) found.append(": ");
    found.append("duplicate key \"").append(key).append("\"");
    return false;  // the first is enough
  }
  bool end_object() override { return End(); }
  bool start_array(std::size_t) override {
    stack_.emplace_back();
    stack_.back().array = true;
    return true;
  }
  bool end_array() override { return End(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

 private:
  bool Value() {
    if (!stack_.empty() && stack_.back().array) ++stack_.back().index;
    return true;
  }
  bool End() {
    stack_.pop_back();
    return Value();
  }
  std::vector<Container> stack_;
};

}  // namespace

Result<json> ParseJsonText(const std::string& text) {
  try {
    json root = json::parse(text);
    DuplicateKeys duplicates;
    json::sax_parse(text, &duplicates);
    if (!duplicates.found.empty()) return Status::Error(duplicates.found);
    return root;
  } catch (const json::exception& error) {
    return Status::Error(Shortened(WithoutExceptionId(error.what())));
  }
}

}  // namespace zurender
