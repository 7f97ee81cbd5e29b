#include "converter/code_converter_dialog.h"

#include <string>

#include "charsets/charset_text.h"
#include "converter/convert_route.h"
#include "framecodes/display_charset.h"
#include "io/file_job.h"
#include "io/file_stream.h"
#include "texts/codes_texts.h"
#include "texts/converter_texts.h"
#include "texts/format_text.h"
#include "texts/phrases_texts.h"

namespace vortane {

namespace text = converter_text;

namespace {

// Codes whose text cannot come from the clipboard: the clipboard's text is
// saved as bytes of a code, and 16-bit units would be read as a file's.
bool IsSixteenBit(const ConvertCode& code) {
  return code == ConvertCode{TextCode::Unicode} || code == ConvertCode{Charset::Utf16};
}

}  // namespace

CodeConverterDialog::Captions CodeConverterDialog::captions() const {
  const auto pick = [this](const TriText& t) { return Choose(t, language_); };
  return Captions{pick(text::kTitle),
                  pick(text::kBrowse),
                  pick(text::kConvert),
                  pick(text::kExit),
                  pick(text::kConvertMethod),
                  pick(text::kSourceText),
                  pick(text::kTargetText),
                  pick(text::kBlankDealing),
                  pick(text::kAddBlank),
                  pick(text::kRemoveBlank),
                  pick(text::kKeepStill),
                  pick(text::kClipboard),
                  pick(text::kFile),
                  pick(text::kCodeSelect),
                  pick(text::kSourceTextCode),
                  pick(text::kTargetTextCode),
                  pick(phrases_text::kByPhrases),
                  {pick(phrases_text::kRegionTaiwan), pick(phrases_text::kRegionTaiwanVocabulary),
                   pick(phrases_text::kRegionHongKong)},
                  pick(phrases_text::kRegionTip)};
}

void CodeConverterDialog::UseDesktopState(DesktopState& state) {
  desktopState_ = &state;
  state_.phraseRegion = LoadPhraseRegion(state);
}

bool CodeConverterDialog::PhrasesApply() const {
  return PhraseDirectionFor(state_.sourceCode, state_.resultCode).has_value();
}

std::string CodeConverterDialog::ScratchPath(std::string_view name) const {
  std::string path = tempDirectory_;
  if (!path.empty() && path.back() != '/') {
    path.push_back('/');
  }
  path.append(name);
  return path;
}

void CodeConverterDialog::Show(const TriText& message) {
  platform_.ShowMessage(Choose(message, language_));
}

void CodeConverterDialog::OnSourceBrowse() {
  if (state_.sourceChoice != TextLocation::File) {
    return;
  }
  if (auto path = platform_.ChooseOpenFile(FileDialogOptions{})) {
    state_.sourcePath = std::move(*path);
  }
}

void CodeConverterDialog::OnTargetBrowse() {
  if (state_.resultChoice != TextLocation::File) {
    return;
  }
  FileDialogOptions options;
  options.overwritePrompt = true;
  if (auto path = platform_.ChooseSaveFile(options)) {
    state_.targetPath = std::move(*path);
  }
}

void CodeConverterDialog::OnConvert() {
  if (desktopState_ != nullptr) {
    SavePhraseRegion(*desktopState_, state_.phraseRegion);
  }
  const bool fromClipboard = state_.sourceChoice == TextLocation::Clipboard;
  const bool toClipboard = state_.resultChoice == TextLocation::Clipboard;
  if (fromClipboard && IsSixteenBit(state_.sourceCode)) {
    Show(text::kUnicodeFromClipboard);
    return;
  }
  const std::string sourceName =
      fromClipboard ? ScratchPath(kConvertSourceScratch) : state_.sourcePath;
  const std::string resultName =
      toClipboard ? ScratchPath(kConvertResultScratch) : state_.targetPath;
  // Converting a file onto itself would read what is being written; refuse
  // before the clipboard or any file is touched.
  if (OutputWouldReplaceInput(sourceName, resultName)) {
    Show(text::kSameFile);
    return;
  }
  if (fromClipboard && !SaveClipboardText(sourceName)) {
    return;
  }
  if (!ConvertFile(sourceName, resultName)) {
    return;
  }
  if (toClipboard) {
    PutResultOnClipboard(resultName);
  }
}

bool CodeConverterDialog::SaveClipboardText(const std::string& path) {
  const auto* tableCode = std::get_if<TextCode>(&state_.sourceCode);
  const ClipboardText clip = tableCode != nullptr
                                 ? platform_.ReadClipboard(*tableCode)
                                 : platform_.ReadFrameClipboard(
                                       DisplayCodeOfCharset(std::get<Charset>(state_.sourceCode)));
  switch (clip.status) {
    case ClipboardStatus::CannotOpen:
      Show(text::kCannotOpenClipboard);
      return false;
    case ClipboardStatus::NoText:
      Show(text::kNoClipboardText);
      return false;
    case ClipboardStatus::CannotLock:
      Show(text::kCannotObtainText);
      return false;
    case ClipboardStatus::Ok:
      break;
  }
  int error = 0;
  if (!WriteFileAtomically(path, clip.bytes, error)) {
    Show(text::kCannotWriteScratch);
    return false;
  }
  return true;
}

bool CodeConverterDialog::ConvertFile(const std::string& sourceName,
                                      const std::string& resultName) {
  if (const auto direction = PhraseDirectionFor(state_.sourceCode, state_.resultCode);
      state_.byPhrases && direction) {
    return ConvertFileByPhrases(sourceName, resultName, *direction);
  }
  // The result replaces an existing file only once the whole text converted,
  // so a failed conversion leaves it as it was.
  FileJob job;
  if (!job.OpenInput(sourceName) || !job.OpenOutput(resultName)) {
    Show(job.failure().stage == FileJobStage::SameFile ? text::kSameFile : text::kOpenFileError);
    return false;
  }
  ConvertCounts counts;
  const auto convert = [this, &counts](ByteReader& in, ByteWriter& out) {
    const ConvertOutcome outcome =
        ConvertRouteStream(in, out, state_.sourceCode, state_.resultCode, state_.blankMode);
    counts = outcome.counts;
    return outcome.status;
  };
  if (!job.Run(convert)) {
    Show(job.failure().stage == FileJobStage::Read ? text::kReadError : text::kWriteError);
    return false;
  }
  // A conversion that lost characters is not reported as a clean one.
  if (counts.unwritable != 0 || counts.unreadable != 0) {
    platform_.ShowMessage(
        FormatText(codes_text::kConvertedWithLosses, language_,
                   {std::to_string(counts.unwritable), std::to_string(counts.unreadable)}));
  } else {
    Show(text::kConvertOk);
  }
  return true;
}

bool CodeConverterDialog::ConvertFileByPhrases(const std::string& sourceName,
                                               const std::string& resultName,
                                               PhraseDirection direction) {
  const std::string listPath =
      desktopState_ != nullptr ? PhraseListPath(*desktopState_) : std::string();
  const PhraseSetup setup =
      LoadPhraseSetup(PhraseConfigFor(direction, state_.phraseRegion), listPath);
  if (!setup.converter) {
    platform_.ShowMessage(setup.listError != 0
                              ? FormatText(phrases_text::kListUnreadable, language_,
                                           {listPath, DescribeError(setup.listError)})
                              : FormatText(phrases_text::kOpenccFailed, language_, {setup.error}));
    return false;
  }
  if (!setup.skippedLines.empty()) {
    platform_.ShowMessage(FormatText(phrases_text::kListLinesSkipped, language_,
                                     {listPath, std::to_string(setup.skippedLines.size())}));
  }
  FileJob job;
  if (!job.OpenInput(sourceName) || !job.OpenOutput(resultName)) {
    Show(job.failure().stage == FileJobStage::SameFile ? text::kSameFile : text::kOpenFileError);
    return false;
  }
  PhraseOutcome outcome;
  const auto convert = [&](ByteReader& in, ByteWriter& out) {
    outcome = ConvertStreamByPhrases(in, out, *setup.converter, state_.sourceCode,
                                     state_.resultCode, state_.blankMode);
    return outcome.status;
  };
  if (!job.Run(convert)) {
    Show(job.failure().stage == FileJobStage::Read ? text::kReadError : text::kWriteError);
    return false;
  }
  if (outcome.unwritable > 0 || outcome.unreadable > 0) {
    platform_.ShowMessage(
        FormatText(codes_text::kConvertedWithLosses, language_,
                   {std::to_string(outcome.unwritable), std::to_string(outcome.unreadable)}));
  } else if (outcome.fallbacks > 0) {
    platform_.ShowMessage(FormatText(phrases_text::kConvertOkWithFallbacks, language_,
                                     {std::to_string(outcome.fallbacks)}));
  } else {
    Show(text::kConvertOk);
  }
  return true;
}

void CodeConverterDialog::PutResultOnClipboard(const std::string& resultName) {
  int error = 0;
  const auto bytes = ReadFileBytes(resultName, error);
  if (!bytes) {
    Show(text::kCannotReadResult);
    return;
  }
  bool written = false;
  if (const auto* tableCode = std::get_if<TextCode>(&state_.resultCode)) {
    written = platform_.WriteClipboard(*bytes, *tableCode);
  } else if (const Charset charset = std::get<Charset>(state_.resultCode);
             charset == Charset::Utf16) {
    // UTF-16 goes as its text only: its units are no clipboard text of their own.
    written =
        platform_.WriteFrameClipboard(DecodeToUtf8(Charset::Utf16, *bytes).utf8, DisplayCode::Utf8);
  } else {
    written = platform_.WriteFrameClipboard(*bytes, DisplayCodeOfCharset(charset));
  }
  if (!written) {
    Show(text::kResultToClipboardFailed);
  }
}

}  // namespace vortane
