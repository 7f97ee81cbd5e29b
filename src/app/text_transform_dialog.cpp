#include "app/text_transform_dialog.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "app/encoding_choices.h"
#include "charsets/charset_text.h"
#include "cjk/gb_big5.h"
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"
#include "codec/restore_high_bits.h"
#include "converter/code_converter_dialog.h"
#include "framecodes/display_charset.h"
#include "framecodes/save_encoding.h"
#include "help/about_dialog.h"
#include "help/help_dialog.h"
#include "io/file_job.h"
#include "io/file_stream.h"
#include "lines/line_transforms.h"
#include "mailview/message_file.h"
#include "mailview/message_view.h"
#include "mailview/whole_message.h"
#include "repair/auto_repair_dialog.h"
#include "settings/settings_dialog.h"
#include "settings/temp_path.h"
#include "texts/codes_texts.h"
#include "texts/format_text.h"
#include "texts/main_window_texts.h"
#include "texts/message_texts.h"
#include "texts/phrases_texts.h"

namespace vortane {

namespace {

constexpr std::string_view kBlankLine = "\r\n\r\n";
constexpr std::string_view kUtf7ScratchFile = "~utf_7.tmp";
constexpr std::string_view kAboutPageFile = "Vortane.htm";

// Frame rules' results are text up to their first 0 byte.
std::string CutAtNul(std::string text) {
  const auto nul = text.find('\0');
  if (nul != std::string::npos) {
    text.resize(nul);
  }
  return text;
}

// The code a Chinese interface language's texts are in; none for English.
std::optional<TextCode> LanguageCode(InterfaceLanguage interfaceLanguage) {
  switch (interfaceLanguage.ForMessages()) {
    case Language::Gb:
      return TextCode::Gb;
    case Language::Big5:
      return TextCode::Big5;
    case Language::English:
      break;
  }
  return std::nullopt;
}

}  // namespace

WindowGeometry ComputeWindowGeometry(ScreenSize screen) {
  int width = 760;
  int height = 540;
  if (screen.width >= 1000 && screen.height >= 760) {
    width = 900;
    height = 650;
  } else if (screen.width < 780 || screen.height < 580) {
    width = 600;
    height = 420;
  }
  return {width, height, width / 4, 3 * width / 4 - 6, height - 44};
}

MenuResource MenuForLanguage(InterfaceLanguage interfaceLanguage) {
  switch (interfaceLanguage.ForMessages()) {
    case Language::Gb:
      return MenuResource::ChineseGb;
    case Language::English:
      return MenuResource::English;
    case Language::Big5:
      break;
  }
  return MenuResource::ChineseBig5;
}

TextTransformDialog::TextTransformDialog(Platform& platform, MainWindowView& view,
                                         MainWindowPaths paths)
    : platform_(platform), view_(view), paths_(std::move(paths)), store_(paths_.settingsFile) {}

void TextTransformDialog::Initialise() {
  PushFrames();

  const WindowGeometry g = ComputeWindowGeometry(platform_.GetScreenSize());
  view_.SetGeometry(g.width, g.height, g.sourceWidth, g.targetWidth, g.frameHeight);

  settings_ = AppSettings{};
  settings_.tempDirectory = platform_.TempDirectory();
  LoadOrCreateSettings(platform_, store_, settings_);

  // Empty frames read in the code of a Chinese interface, so that pasted
  // Chinese text arrives in the reader's code.
  if (const auto code = LanguageCode(settings_.interfaceLanguage)) {
    view_.SourceFrame().SetDisplayCode(*code);
    view_.TargetFrame().SetDisplayCode(*code);
  }
  if (settings_.autoPaste != 0) {
    view_.SourceFrame().PasteClipboard();
  }
  ApplyLanguage();
  view_.FocusSourceFrame();
  targetUnsaved = true;
}

void TextTransformDialog::OnCommand(Command command) {
  if (const CommandInfo* info = FindCommand(command)) {
    (this->*info->handler)();
  }
}

void TextTransformDialog::OnCloseRequested() { ConfirmQuit(); }

void TextTransformDialog::OnTargetEdited() { targetUnsaved = true; }

void TextTransformDialog::OnCharactersNotHeld(DisplayCode code, std::size_t count) {
  if (count == 0) {
    return;
  }
  const std::string number = std::to_string(count);
  view_.ShowStatus(FormatText(count == 1 ? texts::kOneCharacterNotHeld : texts::kCharactersNotHeld,
                              settings_.interfaceLanguage.ForMessages(),
                              {number, std::string(DisplayCodeName(code))}));
}

// --- Frames, prompts, language ---

void TextTransformDialog::PullFrames() {
  sourceText = view_.SourceFrame().GetBytes();
  targetText = view_.TargetFrame().GetBytes();
}

void TextTransformDialog::PushFrames() {
  PushSource();
  PushTarget();
}

void TextTransformDialog::PushSource() { view_.SourceFrame().SetBytes(sourceText); }

void TextTransformDialog::PushTarget() { view_.TargetFrame().SetBytes(targetText); }

void TextTransformDialog::PushNewTarget() {
  targetUnsaved = true;
  PushTarget();
}

void TextTransformDialog::ConfirmQuit() {
  PullFrames();
  if (!targetText.empty() && targetUnsaved &&
      !platform_.AskYesNo(Text(texts::kQuitQuestion), Text(texts::kQuitCaption))) {
    return;
  }
  view_.CloseWindow();
}

void TextTransformDialog::ConfirmSaveTarget() {
  PullFrames();
  if (!targetText.empty() && targetUnsaved &&
      platform_.AskYesNo(Text(texts::kSaveQuestion), Text(texts::kSaveCaption))) {
    OnSaveAs();
  }
}

void TextTransformDialog::ApplyLanguage() {
  view_.SetMenu(MenuForLanguage(settings_.interfaceLanguage));
  view_.SetTitle(Text(texts::kTitle));
}

UiText TextTransformDialog::Text(const TriText& text) const {
  return Choose(text, settings_.interfaceLanguage.ForMessages());
}

std::string TextTransformDialog::PathForTargetFrame(std::string_view path) const {
  const DisplayCode code = view_.TargetFrame().DisplayCode();
  if (const auto tableCode = TableTextCode(code)) {
    return Utf8ToFrameCode(path, *tableCode);
  }
  return EncodeFromUtf8(DisplayCharset(code), path).bytes;
}

void TextTransformDialog::ShowTargetResult(std::string result,
                                           std::optional<DisplayCode> resultCode) {
  targetText = CutAtNul(std::move(result));
  if (resultCode) {
    view_.TargetFrame().SetDisplayCode(*resultCode);
  }
  PushNewTarget();
}

// --- File menu ---

void TextTransformDialog::OnOpen() {
  ConfirmSaveTarget();
  FileDialogOptions options;
  options.filterDescription = "All File(*.*)";
  options.filterPattern = "*.*";
  if (const auto path = platform_.ChooseOpenFile(options)) {
    OpenFileIntoSource(*path);
  }
}

void TextTransformDialog::OpenFileIntoSource(const std::string& path) {
  const Language language = settings_.interfaceLanguage.ForMessages();
  // Enough of the file for the longest text in every encoding, and one byte
  // more to tell a file that does not fit.
  int error = 0;
  const auto head = ReadFileBytes(path, error, kOpenReadLimit);
  if (!head) {
    platform_.ShowMessage(
        FormatText(texts::kCannotOpenFile, language, {path, DescribeError(error)}));
    return;
  }
  // The bytes as they are stay the first choice unless a byte-order mark
  // names the encoding.
  const auto marked = MarkedOpenEncoding(*head);
  const auto initial = static_cast<std::size_t>(
      std::ranges::find(kOpenEncodings, marked.value_or(OpenEncoding::Bytes)) -
      kOpenEncodings.begin());
  const auto choice =
      platform_.ChooseItem(Text(codes_text::kOpenEncodingTitle),
                           FormatText(codes_text::kOpenEncodingLabel, language, {path}),
                           OpenEncodingItems(language, marked), initial);
  if (!choice || *choice >= kOpenEncodings.size()) {
    return;
  }
  const OpenEncoding encoding = kOpenEncodings[*choice];
  OpenedText opened = MakeOpenedText(*head, encoding);
  sourceText = std::move(opened.bytes);
  if (opened.displayCode) {
    view_.SourceFrame().SetDisplayCode(*opened.displayCode);
  }
  openCutPath_ = opened.cut ? path : std::string();
  openCutText_ = opened.cut ? sourceText : std::string();
  PushSource();
  targetUnsaved = true;
  if (opened.cut) {
    platform_.ShowMessage(FormatText(texts::kOpenTextCut, language, {path}));
  }
  if (opened.unreadable != 0) {
    platform_.ShowMessage(
        FormatText(codes_text::kOpenUnreadable, language,
                   {std::to_string(opened.unreadable), path, OpenEncodingName(encoding)}));
  }
}

void TextTransformDialog::OnSaveAs() {
  const Language language = settings_.interfaceLanguage.ForMessages();
  PullFrames();
  const std::string text = CutAtNul(targetText);
  if (text.empty()) {
    return;
  }
  const auto choice =
      platform_.ChooseItem(Text(codes_text::kSaveEncodingTitle),
                           Text(codes_text::kSaveEncodingLabel), SaveEncodingItems(language), 0);
  if (!choice || *choice >= kSaveEncodings.size()) {
    return;
  }
  const SaveEncoding encoding = kSaveEncodings[*choice];
  const DisplayCode code = view_.TargetFrame().DisplayCode();
  const SaveText save = MakeSaveText(text, code, encoding);
  // What would not carry over is told before anything is written.
  if ((save.unwritable != 0 || save.unreadable != 0) &&
      !platform_.AskYesNo(FormatText(codes_text::kSaveLossQuestion, language,
                                     {SaveEncodingName(encoding), std::to_string(save.unwritable),
                                      std::to_string(save.unreadable), DisplayCodeName(code)}),
                          Text(codes_text::kSaveLossCaption))) {
    return;
  }
  FileDialogOptions options;
  options.filterDescription = "Text Files(*.txt)";
  options.filterPattern = "*.txt";
  options.defaultExtension = "TXT";
  options.initialName = "*.TXT";
  options.overwritePrompt = true;
  const auto path = platform_.ChooseSaveFile(options);
  if (!path) {
    return;
  }
  // The frame's line ends are already CR LF, so the bytes go out as the
  // encoding writes them; the old file stays whole until the new one is
  // complete.
  int error = 0;
  if (!WriteFileAtomically(*path, save.bytes, error)) {
    platform_.ShowMessage(FormatText(texts::kSaveFailed, language, {*path, DescribeError(error)}));
    return;
  }
  targetUnsaved = false;
}

void TextTransformDialog::OnClose() {
  sourceText.clear();
  targetText.clear();
  targetUnsaved = false;
  PushFrames();
}

void TextTransformDialog::DecodeFileCommand(std::string_view methodLabel, StreamDecoding decoding) {
  const Language language = settings_.interfaceLanguage.ForMessages();
  ConfirmSaveTarget();
  FileDialogOptions options;
  options.filterDescription = "All Files(*.*)";
  options.filterPattern = "*.*";
  options.overwritePrompt = true;
  const auto inputPath = platform_.ChooseOpenFile(options);
  if (!inputPath) {
    return;
  }
  FileJob job;
  if (!job.OpenInput(*inputPath)) {
    platform_.ShowMessage(FormatText(texts::kCannotOpenFile, language,
                                     {*inputPath, DescribeError(job.failure().error)}));
    return;
  }

  // The summary is in the interface language's code; the paths in it follow
  // the frame's code.
  if (const auto code = LanguageCode(settings_.interfaceLanguage)) {
    view_.TargetFrame().SetDisplayCode(*code);
  }
  targetText = Text(texts::kOpenFilePrefix).bytes + PathForTargetFrame(*inputPath);
  targetText += kBlankLine;
  targetText += Text(texts::kOpenMethodPrefix).bytes;
  targetText += methodLabel;

  platform_.ShowMessage(Text(texts::kDecodeFileNotice));
  const std::string outputPath =
      platform_.ChooseSaveFile(options).value_or(paths_.defaultOutputFile);
  if (!job.OpenOutput(outputPath)) {
    platform_.ShowMessage(job.failure().stage == FileJobStage::SameFile
                              ? FormatText(texts::kOutputIsInput, language, {outputPath})
                              : Text(texts::kWriteProtectError));
    PushTarget();
    return;
  }

  auto progress = platform_.BeginProgress(
      FormatText(texts::kDecodingProgress, language, {*inputPath}), job.InputSize().value_or(0));
  const bool done = job.Run(decoding, [&progress](std::uint64_t bytesRead) {
    return !progress || progress->Update(bytesRead);
  });
  progress.reset();
  if (done) {
    targetText += kBlankLine;
    targetText += Text(texts::kObjectFilePrefix).bytes;
    targetText += PathForTargetFrame(outputPath);
  } else if (job.failure().stage == FileJobStage::Cancelled) {
    targetText += kBlankLine;
    targetText += Text(texts::kDecodeCancelled).bytes;
  } else {
    platform_.ShowMessage(Text(texts::kWriteProtectError));
  }
  PushTarget();
}

void TextTransformDialog::OnDecodeFileBase64() { DecodeFileCommand("Base 64", DecodeBase64Stream); }

void TextTransformDialog::OnDecodeFileQuotedPrintable() {
  DecodeFileCommand("Quoted Printable", DecodeQuotedPrintableStream);
}

void TextTransformDialog::OnDecodeFileHz() { DecodeFileCommand("HZ code", DecodeHzStream); }

void TextTransformDialog::OnDecodeFileUtf7() { DecodeFileCommand("UTF-7", DecodeUtf7Stream); }

void TextTransformDialog::OnDecodeFileUtf8() { DecodeFileCommand("UTF-8", DecodeUtf8Stream); }

void TextTransformDialog::OnExit() { ConfirmQuit(); }

void TextTransformDialog::OnCodeConverter() {
  CodeConverterDialog dialog(platform_, WithTrailingSeparator(settings_.tempDirectory),
                             settings_.interfaceLanguage);
  dialog.UseDesktopState(*desktopState_);
  view_.RunCodeConverter(dialog);
}

// --- Decode menu ---

void TextTransformDialog::OnDecodeBase64() {
  PullFrames();
  std::string result = DecodeBase64Text(sourceText);
  const std::optional<DisplayCode> code = DisplayCodeFor(result);
  ShowTargetResult(std::move(result), code);
}

void TextTransformDialog::OnDecodeQuotedPrintable() {
  PullFrames();
  std::string result = DecodeQuotedPrintableText(sourceText, settings_.recogniseDoubleBytes != 0);
  const std::optional<DisplayCode> code = DisplayCodeFor(result);
  ShowTargetResult(std::move(result), code);
}

void TextTransformDialog::OnDecodeHz() {
  PullFrames();
  ShowTargetResult(DecodeHzText(sourceText), DisplayCode::Gb);
}

void TextTransformDialog::OnUtf7Gb() { DecodeUtf7(TextCode::Gb); }

void TextTransformDialog::OnUtf8Gb() { DecodeUtf8(TextCode::Gb); }

void TextTransformDialog::OnUtf7Big5() { DecodeUtf7(TextCode::Big5); }

void TextTransformDialog::OnUtf8Big5() { DecodeUtf8(TextCode::Big5); }

void TextTransformDialog::DecodeUtf8(TextCode resultCode) {
  PullFrames();
  ShowTargetResult(DecodeUtf8Text(sourceText, resultCode), DisplayCodeOf(resultCode));
}

void TextTransformDialog::DecodeUtf7(TextCode resultCode) {
  PullFrames();
  // The first stage's units are left in the scratch file for the user to
  // inspect; the second stage works on the same units in memory.
  const std::string units = Utf7ToUnits(sourceText);
  int error = 0;
  if (!WriteFileAtomically(TempFilePath(settings_.tempDirectory, kUtf7ScratchFile), units, error)) {
    platform_.ShowMessage(Ascii(texts::kTempFileError));
    return;
  }
  ShowTargetResult(UnitsToText(units, resultCode), DisplayCodeOf(resultCode));
}

void TextTransformDialog::OnBig5ToGb() {
  PullFrames();
  ShowTargetResult(ConvertBig5ToGbText(sourceText), DisplayCode::Gb);
}

void TextTransformDialog::OnGbToBig5() {
  PullFrames();
  ShowTargetResult(ConvertGbToBig5Text(sourceText), DisplayCode::Big5);
}

void TextTransformDialog::OnRestoreHighBits() {
  PullFrames();
  const ByteRange selection = view_.TargetFrame().Selection();
  ShowTargetResult(RestoreHighBits(targetText, selection.start, selection.end), std::nullopt);
}

// --- Edit menu ---

void TextTransformDialog::OnCopySelectedTarget() { view_.TargetFrame().CopySelection(); }

void TextTransformDialog::OnPasteToSource() {
  PullFrames();
  view_.SourceFrame().PasteClipboard();
}

void TextTransformDialog::OnSourceFromTarget() {
  PullFrames();
  sourceText = targetText;
  view_.SourceFrame().SetDisplayCode(view_.TargetFrame().DisplayCode());
  PushSource();
}

void TextTransformDialog::OnTargetFromSource() {
  PullFrames();
  targetText = sourceText;
  view_.TargetFrame().SetDisplayCode(view_.SourceFrame().DisplayCode());
  PushNewTarget();
}

void TextTransformDialog::OnAddMark() {
  PullFrames();
  targetText = AddMark(targetText, settings_.markCharacter);
  PushNewTarget();
}

void TextTransformDialog::OnRemoveMark() {
  PullFrames();
  targetText = RemoveMark(targetText, settings_.markCharacter);
  PushNewTarget();
}

void TextTransformDialog::OnWordWrap() {
  PullFrames();
  targetText = WordWrap(targetText, settings_.wordWrapNumber, settings_.recogniseDoubleBytes != 0);
  PushNewTarget();
}

// --- Configuration and Help menus ---

void TextTransformDialog::OnSetting() {
  SettingsDialog dialog(platform_, store_, settings_);
  if (!view_.RunSettingsDialog(dialog)) {
    return;
  }
  settings_ = dialog.settings();
  ApplyLanguage();
}

void TextTransformDialog::OnAbout() {
  AboutDialog dialog(platform_, TempFilePath(settings_.tempDirectory, kAboutPageFile),
                     settings_.interfaceLanguage);
  view_.RunAbout(dialog);
}

void TextTransformDialog::OnHelpContents() {
  HelpDialog dialog(settings_.interfaceLanguage);
  view_.RunHelp(dialog);
}

// --- Decode > Automatic... ---

void TextTransformDialog::OnAutoRepair() {
  PullFrames();
  AutoRepairDialog dialog(sourceText, settings_.interfaceLanguage);
  if (dialog.empty()) {
    platform_.ShowMessage(dialog.noReadingMessage());
    return;
  }
  if (!view_.RunAutoRepair(dialog)) {
    return;
  }
  FrameReading reading = dialog.Accept();
  ShowTargetResult(std::move(reading.bytes), reading.displayCode);
}

// --- Whole messages ---

void TextTransformDialog::OnOpenMessage() {
  FileDialogOptions options;
  options.filterDescription = Text(message_text::kFileDialogMail).bytes;
  options.filterPattern = "*.eml;*.mbox;*.*";
  const auto path = platform_.ChooseOpenFile(options);
  if (path) {
    OpenMessageFile(*path);
  }
}

void TextTransformDialog::OpenMessageFile(const std::string& path) {
  int error = 0;
  auto bytes = ReadWholeFileUpTo(path, error, kMessageMaxBytes);
  if (!bytes) {
    platform_.ShowMessage(FormatText(texts::kCannotOpenFile,
                                     settings_.interfaceLanguage.ForMessages(),
                                     {path, DescribeError(error)}));
    return;
  }
  MessageViewDialog dialog(platform_, settings_.interfaceLanguage, path, std::move(*bytes));
  view_.RunMessageView(dialog);
}

bool TextTransformDialog::OpenIfMessage(const std::string& path) {
  if (!IsMessageFile(path)) {
    return false;
  }
  OpenMessageFile(path);
  return true;
}

void TextTransformDialog::OnDecodeWholeMessage() {
  PullFrames();
  const WholeMessageText result = ReadWholeMessageText(sourceText);
  targetText = CutAtNul(result.utf8);
  view_.TargetFrame().SetDisplayCode(DisplayCode::Utf8);
  PushTarget();

  const Language language = settings_.interfaceLanguage.ForMessages();
  if (!openCutText_.empty() && sourceText == openCutText_) {
    view_.ShowStatus(FormatText(message_text::kSourceCut, language, {openCutPath_}));
  } else if (result.uncleanParts > 0) {
    view_.ShowStatus(
        FormatText(message_text::kSourceUnclean, language, {std::to_string(result.uncleanParts)}));
  } else {
    view_.ShowStatus(FormatText(message_text::kWholeMessageDone, language,
                                {std::to_string(result.messages), std::to_string(result.parts)}));
  }
}

// --- Decode menu: conversion by phrases ---

void TextTransformDialog::OnBig5ToGbByPhrases() {
  ConvertByPhrases(PhraseDirection::ToSimplified, TextCode::Big5, TextCode::Gb);
}

void TextTransformDialog::OnGbToBig5ByPhrases() {
  ConvertByPhrases(PhraseDirection::ToTraditional, TextCode::Gb, TextCode::Big5);
}

void TextTransformDialog::ConvertByPhrases(PhraseDirection direction, TextCode sourceCode,
                                           TextCode resultCode) {
  PullFrames();
  const Language language = settings_.interfaceLanguage.ForMessages();
  const std::string listPath = PhraseListPath(*desktopState_);
  const PhraseSetup setup =
      LoadPhraseSetup(PhraseConfigFor(direction, LoadPhraseRegion(*desktopState_)), listPath);
  if (!setup.converter) {
    // The frames stay as they were: a half-done conversion would pass for a
    // whole one.
    platform_.ShowMessage(setup.listError != 0
                              ? FormatText(phrases_text::kListUnreadable, language,
                                           {listPath, DescribeError(setup.listError)})
                              : FormatText(phrases_text::kOpenccFailed, language, {setup.error}));
    return;
  }
  if (!setup.skippedLines.empty()) {
    platform_.ShowMessage(FormatText(phrases_text::kListLinesSkipped, language,
                                     {listPath, std::to_string(setup.skippedLines.size())}));
  }
  ShowTargetResult(
      ConvertCodesByPhrases(sourceText, sourceCode, resultCode, *setup.converter).bytes,
      DisplayCodeOf(resultCode));
}

}  // namespace vortane
