// Kelmora — the Qt view of one window: built from its description, painted
// from the model.
#pragma once

#include <QLineEdit>
#include <QMap>
#include <QWidget>

namespace kelmora {

class App;
class Window;

// The client area: paints the window's printed rows from the top-left corner
// beneath the controls, and offers "复制" to copy every row it holds.
class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    SurfaceWidget(const Window& window, QWidget* parent);
    QString allRows() const;  // every row the surface holds, newline-separated
    int lineHeight() const;
    void copyRows() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    const Window& window_;
};

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
    void buildMenuBar(QWidget* client);
    void click(const QString& control);

    App& app_;
    Window& window_;
    SurfaceWidget* surface_ = nullptr;
    QMap<QString, QLineEdit*> boxes_;
};

}  // namespace kelmora
