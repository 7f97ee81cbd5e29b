// The bounds a message is read within, so that a hostile message cannot take
// unbounded time or memory.
#pragma once

#include <cstddef>

namespace vortane {

struct MailLimits {
  // Multiparts nested deeper than this are read as one leaf part.
  int maxNestingDepth = 32;
  // Header bytes kept per header block; fields beyond the bound are dropped.
  std::size_t maxHeaderBytes = 1024 * 1024;
  // Leaf parts kept per message; parts beyond the bound are dropped.
  std::size_t maxParts = 10000;
};

}  // namespace vortane
