// The main window's logic: the two text members, the settings, and one
// handler per menu command. It reaches the screen only through Platform and
// MainWindowView.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/command_table.h"
#include "cjk/text_code.h"
#include "codec/byte_stream.h"
#include "converter/phrase_route.h"
#include "framecodes/open_encoding.h"
#include "platform/desktop_state.h"
#include "platform/main_window_view.h"
#include "platform/platform.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "texts/tri_text.h"

namespace vortane {

// Files the main window uses in the working directory.
struct MainWindowPaths {
  std::string settingsFile = "Vortane.ini";
  std::string defaultOutputFile = "Vortane.tmp";
};

// Outer window size and frame placement for a screen: 900 x 650 on a screen
// of at least 1000 x 760, 600 x 420 on one narrower than 780 or lower than
// 580, 760 x 540 otherwise. The source frame takes a quarter of the width,
// the target frame the rest less 6; both are 44 lower than the window.
struct WindowGeometry {
  int width = 0;
  int height = 0;
  int sourceWidth = 0;
  int targetWidth = 0;
  int frameHeight = 0;
};
[[nodiscard]] WindowGeometry ComputeWindowGeometry(ScreenSize screen);

// The menu bar of a language: 0 GB, 2 Big5, 1 English, and Big5 for any
// other value (the messages' reading, as for the title).
[[nodiscard]] MenuResource MenuForLanguage(InterfaceLanguage interfaceLanguage);

class TextTransformDialog {
 public:
  TextTransformDialog(Platform& platform, MainWindowView& view, MainWindowPaths paths = {});

  // Initialisation once the window and its frames exist: geometry, settings,
  // auto paste, menu, title, focus.
  void Initialise();
  // Runs `command` through its handler in the command table; a value
  // outside the table is ignored.
  void OnCommand(Command command);
  // The close box, Alt+F4 or the window menu asked to close.
  void OnCloseRequested();
  // The user changed the target frame's text: the quit and save prompts arm.
  void OnTargetEdited();
  // `count` characters typed or pasted into a frame shown in `code` could not
  // be held in it and became "?": the status line says so.
  void OnCharactersNotHeld(DisplayCode code, std::size_t count);
  // Loads `path` into the source frame as File > Open does after its dialog
  // (the program's FILE argument): the first 65,535 bytes up to any 0 byte,
  // with a message when the file was cut or cannot be read.
  void OpenFileIntoSource(const std::string& path);

  // One handler per command (the command table names them).
  // File menu.
  void OnOpen();
  void OnSaveAs();
  void OnClose();
  void OnDecodeFileBase64();
  void OnDecodeFileQuotedPrintable();
  void OnDecodeFileHz();
  void OnDecodeFileUtf7();
  void OnDecodeFileUtf8();
  void OnCodeConverter();
  void OnExit();
  // Decode menu and 7bit-8bit.
  void OnDecodeBase64();
  void OnDecodeQuotedPrintable();
  void OnDecodeHz();
  void OnUtf7Gb();
  void OnUtf8Gb();
  void OnUtf7Big5();
  void OnUtf8Big5();
  void OnBig5ToGb();
  void OnGbToBig5();
  void OnRestoreHighBits();
  // Edit menu.
  void OnCopySelectedTarget();
  void OnPasteToSource();
  void OnSourceFromTarget();
  void OnTargetFromSource();
  void OnAddMark();
  void OnRemoveMark();
  void OnWordWrap();
  // Configuration and Help menus.
  void OnSetting();
  void OnAbout();
  void OnHelpContents();
  // Decode > Automatic...: the readings of the source text; the one taken
  // goes into the target frame with its display code.
  void OnAutoRepair();
  // Whole messages: File > Open message... and Decode > Whole message.
  void OnOpenMessage();
  void OnDecodeWholeMessage();

  // Reads the file `path` and shows it in the message view; a message box
  // says why when it cannot be read.
  void OpenMessageFile(const std::string& path);
  // A file dropped on the window or named on the command line: when it is a
  // mail message (LooksLikeMessage on its name and first bytes) it opens in
  // the message view and the result is true; false leaves it to the caller.
  bool OpenIfMessage(const std::string& path);
  // Decode menu: Big5->GB and GB->Big5 by phrases, in the region kept in the
  // desktop state, with the user's phrase list from its settings folder.
  void OnBig5ToGbByPhrases();
  void OnGbToBig5ByPhrases();

  // The desktop state the phrase commands and the converter read their region
  // and phrase list from (and the converter keeps its region in). Until one is
  // given, a state in memory without a settings folder. `state` must outlive
  // the window logic.
  void UseDesktopState(DesktopState& state) { desktopState_ = &state; }

  // The live settings (read by the tests and the view).
  [[nodiscard]] const AppSettings& settings() const { return settings_; }
  // Whether the quit and save prompts are armed.
  [[nodiscard]] bool IsTargetUnsaved() const { return targetUnsaved; }

 private:
  // A method of the decode-file flow: its label and its stream decoding.
  using StreamDecoding = StreamStatus (*)(ByteReader&, ByteWriter&);

  // Frame transfers: both frames into the members; a member back into its
  // frame (a command writes only the frame it changes, so the other keeps its
  // caret, scroll position and undo history), or both.
  void PullFrames();
  void PushSource();
  void PushTarget();
  void PushFrames();
  // The quit prompt (Exit and close requests) and the save prompt (Open and
  // the file decodings).
  void ConfirmQuit();
  void ConfirmSaveTarget();
  // Sets the menu bar and the title of the current language.
  void ApplyLanguage();

  // The decode-file flow with a method's label and stream decoding.
  void DecodeFileCommand(std::string_view methodLabel, StreamDecoding decoding);
  // The UTF-8 and UTF-7 frame decodings into `resultCode`.
  void DecodeUtf8(TextCode resultCode);
  void DecodeUtf7(TextCode resultCode);

  // Shows new target text that the user has not saved yet: arms the prompts.
  void PushNewTarget();
  // Shows a frame rule's result (cut at its first 0 byte) in the target frame,
  // read through `resultCode` when the command knows it.
  void ShowTargetResult(std::string result, std::optional<DisplayCode> resultCode);
  // A file path (UTF-8) as bytes of the target frame's display code.
  [[nodiscard]] std::string PathForTargetFrame(std::string_view path) const;
  // A tri-lingual text chosen by the interface language.
  [[nodiscard]] UiText Text(const TriText& text) const;

  Platform& platform_;
  MainWindowView& view_;
  MainWindowPaths paths_;

  // The frames' texts as last transferred. The libraries keep their own
  // scanning state and file handles, so the input and output files, the work
  // buffer and the scan state are locals of the commands that use them.
  std::string sourceText;
  std::string targetText;
  // Arms the quit and save prompts: set at start-up, by Open, by every
  // command that puts new text into the target frame (not the decode-file
  // summary) and by typing in it; cleared by Save As and Close.
  bool targetUnsaved = false;
  // The file Open cut to fit the source frame, and the text it left there:
  // while the frame still holds that text, Whole message says it is cut.
  std::string openCutPath_;
  std::string openCutText_;
  // The live settings of the program, and the file they are kept in.
  AppSettings settings_;
  SettingsStore store_;

  // The frame conversion by phrases from `sourceCode` into `resultCode`.
  void ConvertByPhrases(PhraseDirection direction, TextCode sourceCode, TextCode resultCode);
  MemoryDesktopState memoryState_;
  DesktopState* desktopState_ = &memoryState_;
};

}  // namespace vortane
