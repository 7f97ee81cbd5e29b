#include "settings/settings_file.h"

#include <climits>
#include <optional>

namespace vortane {

namespace {

constexpr std::string_view kNote = "*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5";

// The file's line end is CR LF: every LF becomes CR LF, as text-mode output
// writes it.
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == '\n') {
      out.push_back('\r');
    }
    out.push_back(c);
  }
  return out;
}

std::string WithoutCr(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Matches the fixed patterns the way formatted input does.
class PatternReader {
 public:
  explicit PatternReader(std::string_view text) : text_(text) {}

  // A LF in `literal` matches any run of white space; other bytes match
  // themselves.
  bool Literal(std::string_view literal) {
    for (char c : literal) {
      if (c == '\n') {
        SkipSpace();
      } else if (pos_ < text_.size() && text_[pos_] == c) {
        ++pos_;
      } else {
        return false;
      }
    }
    return true;
  }

  // A decimal integer after optional white space, with an optional sign; a
  // value beyond int saturates.
  std::optional<int> Integer() {
    SkipSpace();
    std::size_t p = pos_;
    bool negative = false;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
      negative = text_[p] == '-';
      ++p;
    }
    const std::size_t digitsStart = p;
    long long value = 0;
    while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
      if (value <= static_cast<long long>(INT_MAX) + 1) {
        value = value * 10 + (text_[p] - '0');
      }
      ++p;
    }
    if (p == digitsStart) {
      return std::nullopt;
    }
    pos_ = p;
    if (negative) {
      value = -value;
    }
    if (value > INT_MAX) {
      return INT_MAX;
    }
    if (value < INT_MIN) {
      return INT_MIN;
    }
    return static_cast<int>(value);
  }

  // The integer after `literal`; none when either is missing.
  std::optional<int> IntegerAfter(std::string_view literal) {
    return Literal(literal) ? Integer() : std::nullopt;
  }

  // Exactly one byte, white space included.
  std::optional<char> Byte() {
    if (pos_ >= text_.size()) {
      return std::nullopt;
    }
    return text_[pos_++];
  }

  // Everything up to the end of the line (not the LF itself).
  std::string RestOfLine() {
    const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
    std::string line(text_.substr(pos_, end - pos_));
    pos_ = end;
    return line;
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) {
      ++pos_;
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string FormatSettingsFile(const AppSettings& settings) {
  std::string text = "[Mail Vortane]\nTemp Directory=";
  text += settings.tempDirectory;
  text += "\nAuto paste=";
  text += settings.autoPaste != 0 ? "1" : "0";
  text += "\nRecognise double bytes=";
  text += settings.recogniseDoubleBytes != 0 ? "1" : "0";
  text += "\nWord wrap number=";
  text += std::to_string(settings.wordWrapNumber);
  text += "\nMark character='";
  text.push_back(settings.markCharacter.empty() ? '\0' : settings.markCharacter.front());
  text += "'\nInterface=";
  text += std::to_string(settings.interfaceLanguage.Number());
  text += "\n";
  text += kNote;
  return WithCrLf(text);
}

int ParseSettingsFile(std::string_view bytes, AppSettings& settings) {
  const std::string text = WithoutCr(bytes);
  PatternReader in(text);

  if (!in.Literal("[Mail Vortane]\nTemp Directory=")) {
    return 0;
  }
  settings.tempDirectory = in.RestOfLine();

  const auto autoPaste = in.IntegerAfter("\nAuto paste=");
  if (!autoPaste) {
    return 1;
  }
  settings.autoPaste = *autoPaste == 0 ? 0 : 1;

  const auto doubleBytes = in.IntegerAfter("\nRecognise double bytes=");
  if (!doubleBytes) {
    return 2;
  }
  settings.recogniseDoubleBytes = *doubleBytes == 0 ? 0 : 1;

  const auto wrap = in.IntegerAfter("\nWord wrap number=");
  if (!wrap) {
    return 3;
  }
  settings.wordWrapNumber = *wrap;

  if (!in.Literal("\nMark character='")) {
    return 4;
  }
  const auto mark = in.Byte();
  if (!mark || !in.Literal("'")) {
    return 4;
  }
  settings.markCharacter = *mark == '\0' ? std::string() : std::string(1, *mark);

  const auto language = in.IntegerAfter("\nInterface=");
  if (!language) {
    return 5;
  }
  settings.interfaceLanguage = InterfaceLanguage::FromNumber(*language);
  return 6;
}

}  // namespace vortane
