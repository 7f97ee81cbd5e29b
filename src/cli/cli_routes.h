// The library function behind each vortane-cli route.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codec/byte_stream.h"

namespace vortane {

struct CliCommand;

// One line a route has for standard error: the file it is about ("" for the
// input) and what happened.
struct RouteNote {
  std::string file;
  std::string reason;
};

// What a route has to say besides its output once it ran: lines for standard
// error, and the exit status when its files went well (0: the run was whole).
struct RouteOutcome {
  std::vector<RouteNote> notes;
  int exitCode = 0;
  bool tooLarge = false;  // the input did not fit in memory (the run ended as a failed read)
  // The route ended the run as a failed read on purpose, so that no output
  // file is committed; the notes and exitCode say why, no failure is reported.
  bool withheld = false;
};

// What a route could not convert.
struct ConversionCounts {
  std::size_t unreadable = 0;  // byte sequences of the source code
  std::size_t unwritable = 0;  // characters the result code cannot hold
  bool stopped = false;        // --strict ended the run as a failed read for them
};

// A route is either a text route (the whole input in memory, the whole result
// out, 0 bytes included) or a stream route (blocks in, blocks out, constant
// memory). Exactly one of the two functions is set. A route that uses more
// than INPUT and OUTPUT may also set `prepare`, run before any file is opened
// (a note means the route cannot run: exit 1), and `outcome`, asked after the
// run. A stream route that can meet characters it cannot convert sets
// `counts`, which tells after the run how many it met, and whether the run
// stopped for them (--strict: the stream then ends as a failed read, so that
// no output file is committed).
struct RouteFunction {
  std::function<std::string(std::string_view)> text;
  std::function<StreamStatus(ByteReader&, ByteWriter&)> stream;
  std::function<std::optional<RouteNote>()> prepare;
  std::function<RouteOutcome()> outcome;
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
