// Kelmora — the ways in to practice on the desktop: 练习 in every calculator
// window (the printing band's context menu, Ctrl+L), the main window's 练习
// menu (a window by its keyword, a menu group drawn at random, a class set,
// the answer keys of a set).
#pragma once

#include <QKeyCombination>
#include <QString>
#include <QStringList>
#include <string>

#include "practice/class_set.h"
#include "ui/surface_widget.h"

class QMenuBar;
class QWidget;

namespace kelmora {

class FormWidget;
class PracticeWindow;

// 练习 on this key anywhere in a calculator window (练习: liànxí).
inline constexpr QKeyCombination kPracticeShortcut = Qt::CTRL | Qt::Key_L;

// 练习 in the window's band's context menu and on kPracticeShortcut.
void addPracticeAction(FormWidget* f);
// The 练习 title on the main window's menu bar (added before the window
// measures itself), its menu made when first clicked.
void addPracticeMenu(QMenuBar* bar);

// Opens the window in practice form with fresh figures; a message over
// parent, and nullptr, when it cannot be practised.
PracticeWindow* practise(QWidget* parent, const std::string& form);
// The window a keyword opens (the first, when it opens several), in practice
// form; a message when the keyword opens none that can be practised.
PracticeWindow* practiseKeyword(QWidget* parent, const QString& keyword);
// A window drawn at random from a menu group (a caption path).
PracticeWindow* practiseGroup(QWidget* parent, const std::vector<std::string>& path);

// Reads a set file; a message naming the line that cannot be read, and
// nullopt, when it is not a set.
std::optional<practice::ClassSet> readSetFile(QWidget* parent, const QString& path);
// The set for the student, in a practice window; a message and nullptr when
// the student number cannot be one.
PracticeWindow* openSet(QWidget* parent, const practice::ClassSet& set, const QString& student);
// Asks for a set file and a student number.
void askOpenSet(QWidget* parent);

// The answer keys of a set for students: per student, per exercise its
// figures and every task's key lines.
PrintedRows answerKeys(const practice::ClassSet& set, const QStringList& students);
// The student numbers in a text: separated by blanks, commas, 、 or lines.
QStringList studentNumbers(const QString& text);
// Asks for a set file and the student numbers, then prints the keys or
// writes them to a PDF file.
void askAnswerKeys(QWidget* parent);

}  // namespace kelmora
