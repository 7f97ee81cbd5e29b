#include "phrases/phrase_list_file.h"

#include <cerrno>

#include "io/file_stream.h"

namespace vortane {

PhraseListFile LoadPhraseList(const std::string& path) {
  PhraseListFile file;
  // One byte past the limit tells a file at the limit from a longer one.
  const std::optional<std::string> bytes = ReadFileBytes(path, file.error, kPhraseListMaxBytes + 1);
  if (!bytes) {
    return file;
  }
  if (bytes->size() > kPhraseListMaxBytes) {
    file.error = EFBIG;
    return file;
  }
  file.error = 0;
  file.parse = ParsePhraseList(*bytes);
  return file;
}

}  // namespace vortane
