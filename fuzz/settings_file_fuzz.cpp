// The settings file: reading any bytes, and writing then reading settings made
// from the input. First input byte: which of the two; the rest is the file or
// the settings.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "settings/settings_file.h"

using namespace vortane;
using namespace vortane::fuzz;

namespace {

// Values no file can give, to see which fields a read left alone.
AppSettings Untouched() {
  AppSettings s;
  s.tempDirectory = "untouched\n";
  s.autoPaste = -7;
  s.recogniseDoubleBytes = -7;
  s.wordWrapNumber = -7;
  s.markCharacter = "untouched";
  s.interfaceLanguage = InterfaceLanguage::FromNumber(-7);
  return s;
}

int Int(Input& input) {
  std::uint32_t v = input.Word();
  v = v << 16 | input.Word();
  int value;
  std::memcpy(&value, &v, sizeof value);
  return value;
}

void FuzzRead(std::string_view bytes) {
  const AppSettings before = Untouched();
  AppSettings s = before;
  const int read = ParseSettingsFile(bytes, s);
  FUZZ_CHECK(read >= 0 && read <= 6);
  // The fields are read in file order and a mismatch leaves the rest alone.
  FUZZ_CHECK((s.tempDirectory == before.tempDirectory) == (read < 1));
  FUZZ_CHECK((read < 2) == (s.autoPaste == before.autoPaste));
  FUZZ_CHECK((read < 3) == (s.recogniseDoubleBytes == before.recogniseDoubleBytes));
  FUZZ_CHECK(read >= 4 || s.wordWrapNumber == before.wordWrapNumber);
  FUZZ_CHECK((read < 5) == (s.markCharacter == before.markCharacter));
  FUZZ_CHECK(read >= 6 || s.interfaceLanguage == before.interfaceLanguage);
  if (read >= 1) {
    FUZZ_CHECK(s.tempDirectory.find('\n') == std::string::npos);
  }
  if (read >= 3) {
    FUZZ_CHECK(s.autoPaste == 0 || s.autoPaste == 1);
    FUZZ_CHECK(s.recogniseDoubleBytes == 0 || s.recogniseDoubleBytes == 1);
  }
  if (read >= 5) {
    FUZZ_CHECK(s.markCharacter.size() <= 1);
    FUZZ_CHECK(s.markCharacter != std::string(1, '\0'));
  }
}

void FuzzRoundTrip(Input& input) {
  AppSettings s;
  const std::uint8_t flags = input.Byte();
  s.autoPaste = flags & 1 ? Int(input) : (flags >> 1) & 1;
  s.recogniseDoubleBytes = flags & 4 ? Int(input) : (flags >> 3) & 1;
  s.wordWrapNumber = Int(input);
  s.interfaceLanguage = InterfaceLanguage::FromNumber(Int(input));
  const char mark = static_cast<char>(input.Byte());
  s.markCharacter = flags & 16 ? std::string() : std::string(1, mark) + (flags & 32 ? "more" : "");
  s.tempDirectory = std::string(input.Rest());

  const std::string file = FormatSettingsFile(s);
  AppSettings back = Untouched();
  const int read = ParseSettingsFile(file, back);
  FuzzRead(file);

  // A directory holding a line feed cannot stand on one line; everything else
  // comes back, the flags as 0 or 1 and the mark as its first byte.
  if (s.tempDirectory.find('\n') != std::string::npos) {
    return;
  }
  FUZZ_CHECK(read == 6);
  FUZZ_CHECK(back.tempDirectory == s.tempDirectory);
  FUZZ_CHECK(back.autoPaste == (s.autoPaste != 0 ? 1 : 0));
  FUZZ_CHECK(back.recogniseDoubleBytes == (s.recogniseDoubleBytes != 0 ? 1 : 0));
  FUZZ_CHECK(back.wordWrapNumber == s.wordWrapNumber);
  FUZZ_CHECK(back.interfaceLanguage == s.interfaceLanguage);
  const bool noMark = s.markCharacter.empty() || s.markCharacter[0] == '\0';
  FUZZ_CHECK(back.markCharacter == (noMark ? std::string() : s.markCharacter.substr(0, 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  if (input.Byte() % 2 == 0) {
    FuzzRead(input.Rest());
  } else {
    FuzzRoundTrip(input);
  }
  return 0;
}
