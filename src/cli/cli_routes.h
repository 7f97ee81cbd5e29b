// The library function behind each vortane-cli route.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "codec/byte_stream.h"

namespace vortane {

struct CliCommand;

// What a route could not convert.
struct ConversionCounts {
  std::size_t unreadable = 0;  // byte sequences of the source code
  std::size_t unwritable = 0;  // characters the result code cannot hold
  bool stopped = false;        // --strict ended the run as a failed read for them
};

// A route is either a text route (the whole input in memory, the whole result
// out, 0 bytes included) or a stream route (blocks in, blocks out, constant
// memory). Exactly one of the two functions is set. A stream route that can
// meet characters it cannot convert also sets `counts`, which tells after the
// run how many it met, and whether the run stopped for them (--strict: the
// stream then ends as a failed read, so that no output file is committed).
struct RouteFunction {
  std::function<std::string(std::string_view)> text;
  std::function<StreamStatus(ByteReader&, ByteWriter&)> stream;
  std::function<ConversionCounts()> counts;
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
