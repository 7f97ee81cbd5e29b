// Captions and messages of the Chinese code converter dialog. They are chosen
// with InterfaceLanguage::ForLabels (0 GB, 2 Big5, any other value English).
#pragma once

#include "texts/tri_text.h"

namespace vortane::converter_text {

// Captions, set when the dialog opens.
extern const TriText kTitle;           // window title
extern const TriText kBrowse;          // both Browse buttons
extern const TriText kConvert;         // default button
extern const TriText kExit;            // closing button
extern const TriText kConvertMethod;   // conversion group box
extern const TriText kSourceText;      // source group box
extern const TriText kTargetText;      // result group box
extern const TriText kBlankDealing;    // blank handling label
extern const TriText kAddBlank;        // blank mode radio 0
extern const TriText kRemoveBlank;     // blank mode radio 1
extern const TriText kKeepStill;       // blank mode radio 2
extern const TriText kClipboard;       // location radio 0 (both groups)
extern const TriText kFile;            // location radio 1 (both groups)
extern const TriText kCodeSelect;      // code selection label
extern const TriText kSourceTextCode;  // source code list label
extern const TriText kTargetTextCode;  // result code list label

// Messages of the Convert command.
extern const TriText kUnicodeFromClipboard;     // Unicode chosen with a clipboard source
extern const TriText kCannotOpenClipboard;      // the clipboard cannot be opened
extern const TriText kNoClipboardText;          // the clipboard holds no text
extern const TriText kCannotObtainText;         // the clipboard text cannot be taken
extern const TriText kOpenFileError;            // the source or result file cannot be opened
extern const TriText kConvertOk;                // the conversion ran to the end
extern const TriText kResultToClipboardFailed;  // the result cannot be put on the clipboard
extern const TriText kSameFile;                 // source and result name one file
extern const TriText kCannotWriteScratch;       // the clipboard text cannot be saved for conversion
extern const TriText kCannotReadResult;         // the converted text cannot be read back
extern const TriText kReadError;                // reading the source failed midway
extern const TriText kWriteError;               // writing the result failed

}  // namespace vortane::converter_text
