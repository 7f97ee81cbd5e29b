#include "settings/settings_dialog.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <optional>
#include <string_view>

#include "io/file_stream.h"
#include "settings/settings_file.h"
#include "texts/format_text.h"
#include "texts/settings_texts.h"

namespace vortane {

namespace {

constexpr int kWrapNumberMin = 30;
constexpr int kWrapNumberMax = 96;
constexpr std::size_t kMarkMaxLength = 1;
// Every field stands within the first bytes of a settings file; reading no
// further keeps a huge or endless file (a link to a device) from filling memory.
constexpr std::uint64_t kSettingsFileReadLimit = 1024 * 1024;

// An edit box's text as a decimal integer: blanks around it, an optional
// sign, at least one digit, within int.
std::optional<int> ParseEditInteger(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) {
      return std::nullopt;
    }
  }
  value = negative ? -value : value;
  if (value > INT_MAX || value < INT_MIN) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

}  // namespace

SettingsDialog::SettingsDialog(Platform& platform, std::string settingsPath)
    : platform_(platform), settingsPath_(std::move(settingsPath)) {}

SettingsDialog::Texts SettingsDialog::OpeningTexts() const {
  constexpr auto rule = LanguageRule::GbBig5First;
  return Texts{
      .caption = Choose(texts::kSettingsCaption, interfaceLanguage, rule),
      .tempDirectoryLabel = Choose(texts::kTempDirectoryLabel, interfaceLanguage, rule),
      .autoPasteLabel = Choose(texts::kAutoPasteLabel, interfaceLanguage, rule),
      .doubleBytesLabel = Choose(texts::kDoubleBytesLabel, interfaceLanguage, rule),
      .wrapNumberLabel = Choose(texts::kWrapNumberLabel, interfaceLanguage, rule),
      .markLabel = Choose(texts::kMarkLabel, interfaceLanguage, rule),
      .gbRadio = UiText{EncodeUtf8As(texts::kGbRadioUtf8, TextCode::Gb), UiCode::Gb},
      .big5Radio = UiText{EncodeUtf8As(texts::kBig5RadioUtf8, TextCode::Big5), UiCode::Big5},
      .englishRadio = Ascii(texts::kEnglishRadio),
  };
}

SettingsDialog::ControlValues SettingsDialog::CurrentValues() const {
  ControlValues values;
  values.languageIndex = interfaceLanguage >= kLanguageGb && interfaceLanguage <= kLanguageBig5
                             ? interfaceLanguage
                             : -1;
  values.wordWrapNumber = std::to_string(wordWrapNumber);
  values.recogniseDoubleBytes = recogniseDoubleBytes != 0;
  values.autoPaste = autoPaste != 0;
  values.markCharacter = markCharacter.substr(0, kMarkMaxLength);
  values.tempDirectory = tempDirectory;
  return values;
}

SettingsDialog::OkOutcome SettingsDialog::OnOk(const ControlValues& values) {
  // The controls are transferred in this order; a failing one stops the
  // transfer, and the fields before it keep their new values.
  interfaceLanguage = values.languageIndex;

  const auto wrap = ParseEditInteger(values.wordWrapNumber);
  if (!wrap) {
    platform_.ShowMessage(Ascii(texts::kEnterInteger));
    return {false, kWrapNumberEdit};
  }
  wordWrapNumber = *wrap;
  if (*wrap < kWrapNumberMin || *wrap > kWrapNumberMax) {
    const std::string low = std::to_string(kWrapNumberMin);
    const std::string high = std::to_string(kWrapNumberMax);
    const std::string_view bounds[] = {low, high};
    platform_.ShowMessage(Ascii(ReplacePlaceholders(texts::kEnterIntegerBetween, bounds)));
    return {false, kWrapNumberEdit};
  }

  recogniseDoubleBytes = values.recogniseDoubleBytes ? 1 : 0;
  autoPaste = values.autoPaste ? 1 : 0;

  markCharacter = values.markCharacter;
  if (markCharacter.size() > kMarkMaxLength) {
    const std::string most = std::to_string(kMarkMaxLength);
    const std::string_view limit[] = {most};
    platform_.ShowMessage(Ascii(ReplacePlaceholders(texts::kEnterNoMoreThan, limit)));
    return {false, kMarkEdit};
  }

  tempDirectory = values.tempDirectory;

  int error = 0;
  if (!WriteFileAtomically(settingsPath_, FormatSettingsFile(*this), error)) {
    platform_.ShowMessage(Choose(texts::kSettingsWriteError, interfaceLanguage));
  }
  return {true, 0};
}

void SettingsDialog::LoadOrCreate() {
  int error = 0;
  if (const auto bytes = ReadFileBytes(settingsPath_, error, kSettingsFileReadLimit)) {
    (void)ParseSettingsFile(*bytes, *this);
    return;
  }
  if (!WriteFileAtomically(settingsPath_, FormatSettingsFile(*this), error)) {
    platform_.ShowMessage(Choose(texts::kSettingsWriteError, interfaceLanguage));
  }
}

}  // namespace vortane
