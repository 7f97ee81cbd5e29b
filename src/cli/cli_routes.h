// The library function behind each vortane-cli route.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/cli_convert.h"
#include "codec/byte_stream.h"

namespace vortane {

// A route is either a text route (the whole input in memory, the whole result
// out, 0 bytes included) or a stream route (blocks in, blocks out, constant
// memory). Exactly one of the two functions is set. A stream route that can
// meet characters it cannot convert also sets `counts`, which tells after the
// run how many it met.
struct RouteFunction {
  std::function<std::string(std::string_view)> text;
  std::function<StreamStatus(ByteReader&, ByteWriter&)> stream;
  std::function<ConversionCounts()> counts;
};

// The function that runs `command`'s route with its settings.
[[nodiscard]] RouteFunction SelectRoute(const CliCommand& command);

}  // namespace vortane
