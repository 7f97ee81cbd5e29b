// Qt views of the modal dialogs, each bound to its logic object and run
// modally over `parent`.
#pragma once

class QWidget;

namespace vortane {

class SettingsDialog;
class CodeConverterDialog;
class HelpDialog;
class AboutDialog;
class AutoRepairDialog;
class MessageViewDialog;

// True when the dialog ended with OK.
bool RunSettingsView(QWidget* parent, SettingsDialog& dialog);
void RunCodeConverterView(QWidget* parent, CodeConverterDialog& dialog);
void RunHelpView(QWidget* parent, HelpDialog& dialog);
void RunAboutView(QWidget* parent, AboutDialog& dialog);
// True when a reading was taken (Enter, OK or a double click).
bool RunAutoRepairView(QWidget* parent, AutoRepairDialog& dialog);
void RunMessageViewWindow(QWidget* parent, MessageViewDialog& dialog);

}  // namespace vortane
