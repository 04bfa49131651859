// The one QApplication of the process, made when the first window or box needs it, so
// that a run without windows (the generator) needs no display.
#pragma once

namespace mfc_detail {

// Remembers the command line for the application made later.
void SetGuiArguments(int argc, char** argv);
// Makes the QApplication unless one exists (a test's own, or one made before), and gives
// it Qt's Chinese texts, so that the standard dialogs speak the tool's language. Where
// no window can be shown, says so in one line and ends the process with status 1.
void EnsureGuiApplication();
// Destroys the QApplication made here, if any.
void ReleaseGuiApplication();

// Whether a window can be shown: a display is named (DISPLAY, WAYLAND_DISPLAY) or
// QT_QPA_PLATFORM picks a platform.
bool DisplayNamed();
// Tells on stderr, in one line, how to start the program where no window can be shown.
void ReportNoDisplay();

}  // namespace mfc_detail
