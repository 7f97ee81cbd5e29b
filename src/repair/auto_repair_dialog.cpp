#include "repair/auto_repair_dialog.h"

#include "charsets/charset_text.h"
#include "detect/code_points.h"
#include "framecodes/display_charset.h"
#include "texts/repair_texts.h"

namespace vortane {

namespace {

const TriText& StepText(RepairStep step) {
  switch (step) {
    case RepairStep::Base64:
      return repair_text::kStepBase64;
    case RepairStep::QuotedPrintable:
      return repair_text::kStepQuotedPrintable;
    case RepairStep::QuotedPrintableRepaired:
      return repair_text::kStepQuotedPrintableRepaired;
    case RepairStep::Hz:
      return repair_text::kStepHz;
    case RepairStep::Utf7:
      return repair_text::kStepUtf7;
    case RepairStep::EighthBit:
      return repair_text::kStepEighthBit;
    case RepairStep::ShownAsLatin1:
      return repair_text::kStepShownAsLatin1;
    case RepairStep::ShownAsCp1252:
      return repair_text::kStepShownAsCp1252;
    case RepairStep::ShownAsGbk:
      return repair_text::kStepShownAsGbk;
    case RepairStep::ShownAsBig5:
      return repair_text::kStepShownAsBig5;
  }
  return repair_text::kStepBase64;
}

std::string_view InLanguage(const TriText& text, Language language) {
  switch (language) {
    case Language::Gb:
      return text.gb;
    case Language::Big5:
      return text.big5;
    case Language::English:
      break;
  }
  return text.english;
}

}  // namespace

FrameReading ForFrame(const Reading& reading) {
  const DisplayCode code = DisplayCodeOfCharset(reading.code);
  if (code == DisplayCode::Utf8) {
    return FrameReading{reading.text, code};
  }
  return FrameReading{EncodeFromUtf8(reading.code, reading.text).bytes, code};
}

std::optional<DisplayCode> DisplayCodeFor(std::string_view bytes) {
  const std::vector<Reading> readings = FindReadings(bytes);
  if (readings.empty()) {
    return std::nullopt;
  }
  return DisplayCodeOfCharset(readings.front().code);
}

UiText ChainInWords(const Reading& reading, Language language) {
  std::string words;
  for (const RepairStep step : reading.steps) {
    words += InLanguage(StepText(step), language);
    words += InLanguage(repair_text::kThen, language);
  }
  words += FinalCodeName(reading.code);
  return Choose(TriText{words, words, words}, language);
}

AutoRepairDialog::AutoRepairDialog(std::string_view bytes, InterfaceLanguage interfaceLanguage)
    : readings_(FindReadings(bytes)), language_(interfaceLanguage.ForMessages()) {}

UiText AutoRepairDialog::title() const { return Choose(repair_text::kTitle, language_); }

UiText AutoRepairDialog::readingsLabel() const {
  return Choose(repair_text::kReadingsLabel, language_);
}

UiText AutoRepairDialog::previewLabel() const {
  return Choose(repair_text::kPreviewLabel, language_);
}

UiText AutoRepairDialog::noReadingMessage() const {
  return Choose(repair_text::kNoReading, language_);
}

UiText AutoRepairDialog::chain(std::size_t index) const {
  return index < readings_.size() ? ChainInWords(readings_[index], language_) : UiText{};
}

std::string AutoRepairDialog::preview(std::size_t index) const {
  if (index >= readings_.size()) {
    return {};
  }
  const std::string& text = readings_[index].text;
  std::size_t pos = 0;
  for (std::size_t characters = 0; pos < text.size() && characters < kPreviewCharacters;
       ++characters) {
    (void)NextCodePoint(text, pos);
  }
  return text.substr(0, pos);
}

void AutoRepairDialog::Select(std::size_t index) {
  if (index < readings_.size()) {
    selected_ = index;
  }
}

FrameReading AutoRepairDialog::Accept() const { return ForFrame(readings_.at(selected_)); }

}  // namespace vortane
