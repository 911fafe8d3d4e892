// An answer of the studio's API: the HTTP status and the JSON body.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace zurender {

struct StudioReply {
  int status = 200;
  nlohmann::json body;
};

// A request that changes nothing: the status and a message a person reads on the page.
inline StudioReply Refusal(int status, const std::string& message) { return StudioReply{status, {{"error", message}}}; }

}  // namespace zurender
