#include "phrases/phrase_list_file.h"

#include "io/file_stream.h"

namespace vortane {

PhraseListFile LoadPhraseList(const std::string& path) {
  PhraseListFile file;
  const std::optional<std::string> bytes = ReadWholeFileUpTo(path, file.error, kPhraseListMaxBytes);
  if (!bytes) {
    return file;
  }
  file.error = 0;
  file.parse = ParsePhraseList(*bytes);
  return file;
}

}  // namespace vortane
