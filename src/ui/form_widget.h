// Kelmora — the Qt view of one window: built from its description, painted
// from the model.
#pragma once

#include <QLineEdit>
#include <QMap>
#include <QWidget>

#include "core/window_def.h"
#include "ui/surface_widget.h"

class QMenu;

namespace kelmora {

class App;
class Window;

class FormWidget : public QWidget {
    Q_OBJECT
public:
    FormWidget(App& app, Window& window);

    Window& window() { return window_; }
    SurfaceWidget* surface() { return surface_; }
    QLineEdit* box(const QString& name) const { return boxes_.value(name); }
    void refreshBox(const QString& name);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenuBar();
    void addSubmenu(QMenu* menu, const MenuNode& node);
    void addMenuItem(QWidget* menu, const MenuNode& item);
    void attachCompleter(QLineEdit* box, const CompletionSource& source);
    void click(const QString& control);

    App& app_;
    Window& window_;
    SurfaceWidget* surface_ = nullptr;
    QMap<QString, QLineEdit*> boxes_;
};

}  // namespace kelmora
