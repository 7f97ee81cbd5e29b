// The Chinese code converter dialog's logic: the choices the controls show,
// the captions, and one handler per button. Text comes from the clipboard or
// a file, is converted by ConvertStream and goes to the clipboard or a file;
// clipboard text passes through scratch files in the temporary directory.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "charsets/recode_stream.h"
#include "cjk/text_code.h"
#include "converter/convert_stream.h"
#include "converter/phrase_route.h"
#include "platform/desktop_state.h"
#include "platform/platform.h"
#include "platform/ui_text.h"
#include "texts/tri_text.h"

namespace vortane {

// Where a text comes from or goes to (the radio pairs' order).
enum class TextLocation { Clipboard = 0, File = 1 };

// Scratch files in the temporary directory: the clipboard text to convert and
// the converted text bound for the clipboard.
inline constexpr std::string_view kConvertSourceScratch = "~Convert.tmp";
inline constexpr std::string_view kConvertResultScratch = "~ConvertO.tmp";

class CodeConverterDialog {
 public:
  // `tempDirectory` holds the scratch files (a "/" is put between it and a
  // file name when it lacks a trailing separator); `interfaceLanguage` chooses
  // the captions and messages (0 GB, 2 Big5, any other value English).
  CodeConverterDialog(Platform& platform, std::string tempDirectory,
                      InterfaceLanguage interfaceLanguage)
      : platform_(platform),
        tempDirectory_(std::move(tempDirectory)),
        language_(interfaceLanguage.ForLabels()) {}

  // The choices bound to the controls; a new dialog starts from these values.
  struct State {
    TextLocation sourceChoice = TextLocation::Clipboard;
    TextLocation resultChoice = TextLocation::Clipboard;
    std::string sourcePath;
    std::string targetPath;
    BlankMode blankMode = BlankMode::KeepStill;
    // A code of kConverterSourceCodes and one of kConverterResultCodes.
    ConvertCode sourceCode = TextCode::Gb;
    ConvertCode resultCode = TextCode::Big5;
    // Conversion by phrases, where the two codes have a direction
    // (PhraseDirectionFor); for other codes it is ignored.
    bool byPhrases = false;
    PhraseRegion phraseRegion = PhraseRegion::Taiwan;
  };

  // The view writes the controls' values here before each handler and shows
  // it again afterwards.
  [[nodiscard]] State& state() { return state_; }
  [[nodiscard]] const State& state() const { return state_; }

  // Texts the view sets when the dialog opens.
  struct Captions {
    UiText title;
    UiText browse;   // both Browse buttons
    UiText convert;  // default button, "&" marks the mnemonic
    UiText exit;
    UiText convertMethod;  // conversion group
    UiText sourceText;     // source group
    UiText targetText;     // result group
    UiText blankDealing;
    UiText addBlank;
    UiText removeBlank;
    UiText keepStill;
    UiText clipboard;  // both groups
    UiText file;       // both groups
    UiText codeSelect;
    UiText sourceTextCode;
    UiText targetTextCode;
    UiText byPhrases;               // the option
    std::array<UiText, 3> regions;  // the region list, in PhraseRegion order
    UiText regionTip;
  };
  [[nodiscard]] Captions captions() const;

  // Source Browse: with File chosen, the open-file dialog; OK sets the source
  // path. With Clipboard chosen, nothing happens.
  void OnSourceBrowse();
  // Target Browse: the same with the save-file dialog (overwrite prompt).
  void OnTargetBrowse();
  // Convert: converts the source text into the result and reports the outcome
  // in one message box ("Convert Ok!", the counts of what did not convert, or
  // the failure). A Unicode or UTF-16 source cannot come from the clipboard.
  // A result bound for the clipboard goes there as Unicode text, with its raw
  // bytes beside it for the codes other than UTF-16. The state is not changed.
  void OnConvert();

  // Reads the region from `state` into the choices; Convert keeps the chosen
  // region there and reads the user's phrase list from its settings folder.
  // Without a state, the region starts as Taiwan and no phrase list is read.
  // `state` must outlive the dialog.
  void UseDesktopState(DesktopState& state);
  // True when the chosen codes can be converted by phrases (the view enables
  // the option and the region list by it).
  [[nodiscard]] bool PhrasesApply() const;

  // Full path of a scratch file in the temporary directory.
  [[nodiscard]] std::string ScratchPath(std::string_view name) const;

 private:
  void Show(const TriText& text);
  // Saves the clipboard text in the source scratch file; false after a message.
  bool SaveClipboardText(const std::string& path);
  // Converts `sourceName` into `resultName`; false after a failure message.
  bool ConvertFile(const std::string& sourceName, const std::string& resultName);
  // Puts the result scratch file on the clipboard; shows a failure message.
  void PutResultOnClipboard(const std::string& resultName);

  // The conversion by phrases of ConvertFile; false after a failure message.
  bool ConvertFileByPhrases(const std::string& sourceName, const std::string& resultName,
                            PhraseDirection direction);

  Platform& platform_;
  std::string tempDirectory_;
  Language language_;
  State state_;
  DesktopState* desktopState_ = nullptr;
};

}  // namespace vortane
