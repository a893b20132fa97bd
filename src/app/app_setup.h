// Kelmora — what the desktop program sets up before its first window opens.
#pragma once

class QCoreApplication;
class QIcon;

namespace kelmora {

// Loads Qt's Chinese for its own words (the buttons of message boxes, a text
// box's context menu) from the folder Qt was installed with, so they match the
// rest of the program.  Returns false when the translation is not installed;
// those words then stay in English.
bool installQtTranslation(QCoreApplication& app);

// The program's icon, compiled in as a resource.
QIcon appIcon();

}  // namespace kelmora
