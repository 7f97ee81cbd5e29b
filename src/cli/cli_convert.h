// The convert command's codes (the converter's own gb, big5 and unicode, and
// every label of the charsets), its counts of what could not be converted,
// and the labels command.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/cli_routes.h"

namespace vortane {

// Fills the codes, route and blank mode of `command` from the values of
// --from, --to and --blanks. gb, big5 and unicode (any case) are the
// converter's own codes: between two of them the route is Convert, the code
// converter; any other name is a label of the charsets and the route is
// Recode, which re-encodes (--blanks is then refused). unicode is a source
// only. False with a one-line `error` for an unknown code.
[[nodiscard]] bool ApplyConvertCodes(std::string_view from, std::string_view to,
                                     const std::optional<std::string>& blanks, CliCommand& command,
                                     std::string& error);

// The lines for standard error about `counts` ("vortane-cli: NAME: 2 byte
// sequences could not be read as gb18030"); empty when both are 0.
[[nodiscard]] std::string DescribeCounts(std::string_view inputName, const CliCommand& command,
                                         const ConversionCounts& counts);

// What `vortane-cli labels` prints: one line per label of the charsets, the
// label, a tab, the name of the code it reads as.
[[nodiscard]] std::string LabelsText();

}  // namespace vortane
