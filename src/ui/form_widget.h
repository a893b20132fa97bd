// Kelmora — the Qt view of one window: built from its description, painted
// from the model.
#pragma once

#include <QLineEdit>
#include <QMargins>
#include <QMap>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/layout.h"
#include "core/window_def.h"
#include "ui/surface_widget.h"

class QMenu;
class QMenuBar;
class QScrollArea;

namespace kelmora {

class Announcer;
class App;
class Window;
class TextMeasure;
class WindowLayout;

// A window: its controls placed by the layout pass for the font it is shown
// in, the printing band at the top left taking whatever room they leave.
class FormWidget : public QWidget {
    Q_OBJECT
public:
    // moreTitles, when given, adds titles of the program's own at the end of
    // the window's menu bar before the window is measured; the window opens
    // wide enough for them.
    FormWidget(App& app, Window& window, void (*moreTitles)(QMenuBar* bar) = nullptr);
    ~FormWidget() override;

    Window& window() { return window_; }
    SurfaceWidget* surface() { return surface_; }
    // Says aloud, through a screen reader, what a click printed (made when
    // first needed).
    Announcer* announcer();
    QLineEdit* box(const QString& name) const { return boxes_.value(name); }
    void refreshBox(const QString& name);
    // Keeps the window and the frame the window system puts around it on
    // the screen's available area: shrinks the window where it is taller or
    // wider, and moves it where it stands out.  Done once the frame is known.
    void fitFrame(const QMargins& frame);
    // Puts w where the printing band stands, the band hidden (a practice
    // window's answer sheet).
    void replaceBand(QWidget* w);

protected:
    bool event(QEvent* e) override;

    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenuBar();
    void addSubmenu(QMenu* menu, const MenuNode& node);
    void addMenuItem(QWidget* menu, const MenuNode& item);
    void attachCompleter(QLineEdit* box, const CompletionSource& source);
    void click(const QString& control);
    void measureLayout();            // measures in the window's font: the layout, the room on the screen
    void openSize();                 // the size the window opens at, then arrange()
    void arrange();                  // places everything for the client area's size
    void arrange(Size client);       // ... for a client area of that size
    QMargins assumedFrame() const;   // the frame taken for granted until the window system tells
    void makeAreaView();
    bool enterInBox(QLineEdit* box);  // Enter pressed in a box; true when handled

    App& app_;
    Window& window_;
    void (*moreTitles_)(QMenuBar*) = nullptr;
    QScrollArea* scroller_ = nullptr;  // everything, on a window too small even for the pinned buttons
    QWidget* client_ = nullptr;        // the band and the controls
    QScrollArea* areaView_ = nullptr;  // the control area, which scrolls on a small window (made when first needed)
    QWidget* area_ = nullptr;          // what it scrolls
    std::vector<bool> scrolled_;       // per control: it stands in the control area
    bool fitted_ = false;              // the frame has been fitted to the screen
    SurfaceWidget* surface_ = nullptr;
    Announcer* announcer_ = nullptr;
    int announcedItems_ = -1;  // the completion list's size last said, -1 while it is closed
    QWidget* bandStandIn_ = nullptr;  // in the band's place, when it is replaced
    QMap<QString, QLineEdit*> boxes_;
    std::vector<QLineEdit*> tabBoxes_;         // the boxes in tab order
    std::vector<QWidget*> widgets_;            // per control of the description
    std::unique_ptr<TextMeasure> measure_;  // the layout measures with it
    std::unique_ptr<WindowLayout> layout_;
    Size room_;  // what the screen leaves the client area
};

}  // namespace kelmora
