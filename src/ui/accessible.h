// Kelmora — what a screen reader learns of a window beyond its widgets' own
// words: the window's name and role, the names of its boxes, the band's
// name, and what a compute printed, said aloud without moving the focus.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "core/window_def.h"

namespace kelmora {

// The accessible name of every control of the description (by index into
// WindowDef::controls; empty for what is not a text box): the label a
// person reads beside the box, and where two boxes of the window share a
// label, the group each stands in first (the heading above it or the frame
// around it), then the label.  The main window's keyword box says what to
// type into it.
std::vector<QString> boxNames(const WindowDef& def);

// The keyword box's name.
QString keywordBoxName();

// The band's name: what it holds and whose it is.
QString bandName(const WindowDef& def);

// The words said when a compute printed nothing new, and when the rows were
// cleared.
QString nothingPrinted();
QString rowsCleared();

// A completion list that shows `count` items, as it is announced.
QString completionCount(int count);
// The completion list's name.
QString completionListName();

// Makes windows known to assistive technology as frames named by their
// display name, keeping their captions in the title bar (once per
// application; every FormWidget calls it).
void installWindowAccessibility();

// Says a text aloud through the screen reader without taking the focus: an
// object with the notification role that comes into view with the text as
// its name, as a desktop's notifications do.  It stands hidden in its
// window; nothing is painted.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    void say(const QString& text);
    QString message() const { return message_; }

signals:
    void said(const QString& text);

private:
    QString message_;
};

// Counts the message boxes the view has shown, so that a click can tell
// whether it said something already.
void countDialog();
unsigned dialogsShown();

// Tells the screen reader again where the focus is, once a modal box over
// the window has closed and the window has the keyboard back.
void restateFocus();

}  // namespace kelmora
