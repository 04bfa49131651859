// The one QApplication of the process, made when the first window or box needs it, so
// that a run without windows (the generator) needs no display.
#pragma once

namespace mfc_detail {

// Remembers the command line for the application made later.
void SetGuiArguments(int argc, char** argv);
// Makes the QApplication unless one exists (a test's own, or one made before).
void EnsureGuiApplication();
// Destroys the QApplication made here, if any.
void ReleaseGuiApplication();

}  // namespace mfc_detail
