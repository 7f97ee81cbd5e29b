#include "settings/settings_dialog.h"

#include <cerrno>
#include <climits>
#include <optional>
#include <string_view>

#include "texts/format_text.h"
#include "texts/settings_texts.h"

namespace vortane {

namespace {

constexpr int kWrapNumberMin = 30;
constexpr int kWrapNumberMax = 96;
constexpr std::size_t kMarkMaxLength = 1;

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

SettingsDialog::SettingsDialog(Platform& platform, const SettingsStore& store, AppSettings settings)
    : platform_(platform), store_(store), settings_(std::move(settings)) {}

SettingsDialog::Texts SettingsDialog::OpeningTexts() const {
  const Language language = settings_.interfaceLanguage.ForLabels();
  return Texts{
      .caption = Choose(texts::kSettingsCaption, language),
      .tempDirectoryLabel = Choose(texts::kTempDirectoryLabel, language),
      .autoPasteLabel = Choose(texts::kAutoPasteLabel, language),
      .doubleBytesLabel = Choose(texts::kDoubleBytesLabel, language),
      .wrapNumberLabel = Choose(texts::kWrapNumberLabel, language),
      .markLabel = Choose(texts::kMarkLabel, language),
      .gbRadio = UiText{EncodeUtf8As(texts::kGbRadioUtf8, TextCode::Gb), UiCode::Gb},
      .big5Radio = UiText{EncodeUtf8As(texts::kBig5RadioUtf8, TextCode::Big5), UiCode::Big5},
      .englishRadio = Ascii(texts::kEnglishRadio),
  };
}

SettingsDialog::ControlValues SettingsDialog::CurrentValues() const {
  ControlValues values;
  const auto exact = settings_.interfaceLanguage.Exact();
  values.languageIndex = exact ? static_cast<int>(*exact) : -1;
  values.wordWrapNumber = std::to_string(settings_.wordWrapNumber);
  values.recogniseDoubleBytes = settings_.recogniseDoubleBytes != 0;
  values.autoPaste = settings_.autoPaste != 0;
  values.markCharacter = settings_.markCharacter.substr(0, kMarkMaxLength);
  values.tempDirectory = settings_.tempDirectory;
  return values;
}

SettingsDialog::OkOutcome SettingsDialog::OnOk(const ControlValues& values) {
  // The controls are transferred in this order; a failing one stops the
  // transfer, and the fields before it keep their new values.
  AppSettings& s = settings_;
  s.interfaceLanguage = InterfaceLanguage::FromNumber(values.languageIndex);

  const auto wrap = ParseEditInteger(values.wordWrapNumber);
  if (!wrap) {
    platform_.ShowMessage(Ascii(texts::kEnterInteger));
    return {false, kWrapNumberEdit};
  }
  s.wordWrapNumber = *wrap;
  if (*wrap < kWrapNumberMin || *wrap > kWrapNumberMax) {
    const std::string low = std::to_string(kWrapNumberMin);
    const std::string high = std::to_string(kWrapNumberMax);
    const std::string_view bounds[] = {low, high};
    platform_.ShowMessage(Ascii(ReplacePlaceholders(texts::kEnterIntegerBetween, bounds)));
    return {false, kWrapNumberEdit};
  }

  s.recogniseDoubleBytes = values.recogniseDoubleBytes ? 1 : 0;
  s.autoPaste = values.autoPaste ? 1 : 0;

  s.markCharacter = values.markCharacter;
  if (s.markCharacter.size() > kMarkMaxLength) {
    const std::string most = std::to_string(kMarkMaxLength);
    const std::string_view limit[] = {most};
    platform_.ShowMessage(Ascii(ReplacePlaceholders(texts::kEnterNoMoreThan, limit)));
    return {false, kMarkEdit};
  }

  s.tempDirectory = values.tempDirectory;

  if (!store_.Save(s)) {
    platform_.ShowMessage(SettingsWriteError(s.interfaceLanguage));
  }
  return {true, 0};
}

}  // namespace vortane
