// Kelmora — the printing area of a window: its printed rows, scrolled, copied,
// printed on paper or written to a PDF file.
#pragma once

#include <QAbstractScrollArea>
#include <QDate>
#include <QFont>
#include <QStringList>

class QAction;
class QPagedPaintDevice;

namespace kelmora {

class Window;

// What goes onto paper: the window's caption as the title, the date, then
// every printed row in the window's font.
struct PrintedRows {
    QString title;
    QDate date;
    QStringList rows;
    QFont font;
    // A table instead of lines: each row's cells are separated by tabs, one
    // flag per column, true for a column of figures (aligned to the right).
    // Columns take the width of their widest cell; a table wider than the
    // page is printed in a smaller font.
    QList<bool> columns;
};

// Lays the rows out page by page on a printer or PDF writer whose page layout
// is set: title and date at the head of every page, one row a line; a row
// wider than the page wraps onto further lines instead of being cut.  Returns
// the number of pages, 0 when the device cannot be painted on.
int paintPages(QPagedPaintDevice& device, const PrintedRows& doc);
// Writes the rows to a PDF file (A4, margins of 15 mm); the number of pages,
// 0 when the file cannot be written.
int writePdf(const QString& path, const PrintedRows& doc);
// Whether printing on paper can be offered: its module is found.
bool printingAvailable();
// Asks for a printer and prints the rows; says so in a message box when it
// cannot.
void printRows(QWidget* parent, const PrintedRows& doc);

// The printing area: paints only the rows in view, read from the window's
// surface without copying them; scroll bars appear when the rows are longer
// or wider than the area.  Its context menu copies the rows as text or as a
// table, prints them and writes them to a PDF file.
class SurfaceWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    SurfaceWidget(const Window& window, QWidget* parent);
    const Window& window() const { return window_; }

    // The window's surface changed: new scroll ranges, and rows that were
    // added are brought into view.
    void rowsChanged();
    int lineHeight() const;
    int padding() const;  // between the band's top and left edges and the rows

    QString allRows() const;  // every row the surface holds, newline-separated
    // The caret, an offset into allRows(): the arrow keys, Home and End move
    // it line by line and character by character through the rows, and a
    // screen reader reads what it comes to.
    int caretOffset() const;
    void setCaretOffset(int offset);
    // Where the character at `offset` of allRows() stands, in the
    // viewport's coordinates; the offset of the character at a point there
    // (-1 on no row).
    QRect characterRect(int offset) const;
    int offsetAt(const QPoint& point) const;
    void copyRows() const;
    void copyTable() const;  // the rows as tab-separated columns
    PrintedRows printed() const;
    void print();
    void exportPdf();

signals:
    // Rows were added and announced to a screen reader as text inserted at
    // `position` of the band's text.
    void rowsAnnounced(int position, const QString& text);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void updateRanges();
    QString row(int line) const;
    int lineStart(int line) const;  // the offset of the row's first character
    // Puts the caret on the row and column (both clamped) and tells a
    // screen reader; the view follows it where it went out of sight.
    void moveCaret(int line, int column);
    bool caretKey(QKeyEvent* e);  // a key that moves the caret; true when it did

    const Window& window_;
    QAction* postAction_ = nullptr;  // 记入凭证…
    std::size_t measured_ = 0;  // rows whose width is in widest_
    int widest_ = 0;            // the widest of them, in pixels
    qsizetype chars_ = 0;       // their text's length, newlines between rows
    qsizetype lastChars_ = 0;   // the last one's
    int caretLine_ = 0, caretColumn_ = 0;
};

}  // namespace kelmora
