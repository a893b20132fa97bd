// Kelmora — the desktop program from its command line to its end.
#pragma once

namespace kelmora {

// Everything the desktop program does: the application with Qt's own words
// in Chinese, the options, the icon, the main window and the event loop.
// Returns the program's exit status.  main() is only this call, so that the
// tests run the very same start-up.
int runDesktop(int argc, char** argv);

}  // namespace kelmora
