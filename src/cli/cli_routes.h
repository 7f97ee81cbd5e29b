// The library function behind each vortane-cli route.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "codec/byte_stream.h"

namespace vortane {

struct CliCommand;

// A route is either a text route (the whole input in memory, the whole result
// out, 0 bytes included) or a stream route (blocks in, blocks out, constant
// memory). Exactly one of the two functions is set.
struct RouteFunction {
  std::function<std::string(std::string_view)> text;
  std::function<StreamStatus(ByteReader&, ByteWriter&)> stream;
};

// A text route and a stream route.
[[nodiscard]] inline RouteFunction TextRoute(std::function<std::string(std::string_view)> text) {
  RouteFunction route;
  route.text = std::move(text);
  return route;
}
[[nodiscard]] inline RouteFunction StreamRoute(
    std::function<StreamStatus(ByteReader&, ByteWriter&)> stream) {
  RouteFunction route;
  route.stream = std::move(stream);
  return route;
}

// The function that runs `command`'s route with its settings (the command
// table names it); neither function is set for a route no command has.
[[nodiscard]] RouteFunction SelectRoute(const CliCommand& command);

}  // namespace vortane
