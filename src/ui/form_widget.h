// Kelmora — the Qt view of one window: built from its description, painted
// from the model.
#pragma once

#include <QLineEdit>
#include <QMap>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/window_def.h"
#include "ui/surface_widget.h"

class QMenu;

namespace kelmora {

class App;
class Window;
class TextMeasure;
class WindowLayout;

// A window: its controls placed by the layout pass for the font it is shown
// in, the printing band at the top left taking whatever room they leave.
class FormWidget : public QWidget {
    Q_OBJECT
public:
    FormWidget(App& app, Window& window);
    ~FormWidget() override;

    Window& window() { return window_; }
    SurfaceWidget* surface() { return surface_; }
    QLineEdit* box(const QString& name) const { return boxes_.value(name); }
    void refreshBox(const QString& name);

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenuBar();
    void addSubmenu(QMenu* menu, const MenuNode& node);
    void addMenuItem(QWidget* menu, const MenuNode& item);
    void attachCompleter(QLineEdit* box, const CompletionSource& source);
    void click(const QString& control);
    void fit();                      // measures in the window's font, sizes and arranges the window
    void arrange();                  // places everything for the client area's size
    bool enterInBox(QLineEdit* box);  // Enter pressed in a box; true when handled

    App& app_;
    Window& window_;
    QWidget* client_ = nullptr;  // the band and the controls
    SurfaceWidget* surface_ = nullptr;
    QMap<QString, QLineEdit*> boxes_;
    std::vector<QLineEdit*> tabBoxes_;         // the boxes in tab order
    std::vector<QWidget*> widgets_;            // per control of the description
    std::unique_ptr<TextMeasure> measure_;  // the layout measures with it
    std::unique_ptr<WindowLayout> layout_;
};

}  // namespace kelmora
