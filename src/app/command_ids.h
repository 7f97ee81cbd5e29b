// Menu command ids of the main window.
#pragma once

namespace vortane {

enum CommandId : int {
  kCmdOpen = 32771,
  kCmdSaveAs = 32772,
  kCmdClose = 32773,
  kCmdExit = 32774,
  kCmdDecodeBase64 = 32775,
  kCmdDecodeQuotedPrintable = 32776,
  kCmdDecodeHz = 32777,
  kCmd7bit8bit = 32778,
  kCmdAbout = 32779,
  kCmdHelpContents = 32780,
  kCmdSourceFromTarget = 32781,
  kCmdTargetFromSource = 32782,
  kCmdDecodeFileBase64 = 32785,
  kCmdDecodeFileQuotedPrintable = 32786,
  kCmdDecodeFileHz = 32787,
  kCmdWordWrap = 32789,
  kCmdSetting = 32790,
  kCmdAddMark = 32793,
  kCmdRemoveMark = 32794,
  kCmdUtf8Gb = 32795,
  kCmdUtf7Gb = 32796,
  kCmdBig5ToGb = 32797,
  kCmdGbToBig5 = 32798,
  kCmdPasteToSource = 32799,
  kCmdCopySelectedTarget = 32800,
  kCmdCodeConverter = 32801,
  kCmdUtf7Big5 = 32802,
  kCmdUtf8Big5 = 32803,
  kCmdDecodeFileUtf7 = 32804,
  kCmdDecodeFileUtf8 = 32805,
};

}  // namespace vortane
