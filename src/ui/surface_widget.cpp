#include "ui/surface_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QFileDialog>
#include <QLibrary>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

#include "core/surface.h"
#include "core/window_names.h"
#include "core/window.h"
#include "ui/accessible.h"
#include "ui/nested_loop.h"
#include "ui/book_module.h"
#include "ui/print_module.h"

namespace kelmora {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Paper: a line is one and a half times the font size; the head of every
// page takes four lines (the title over two, the date, a blank).
constexpr double kPitch = 1.5;
constexpr int kHeadLines = 4;

// The printing module, found from the program's folder by the relative path
// to where it is installed, whatever the prefix; KELMORA_PRINT_MODULE names
// the file instead (the tests, which run programs that are not installed).
// Never a fixed folder: the program must not load code from wherever it was
// built.
PrintFunction printFunction() {
    static const PrintFunction print = [] {
        QString path = qEnvironmentVariable("KELMORA_PRINT_MODULE");
        if (path.isEmpty()) path = QCoreApplication::applicationDirPath() + QStringLiteral("/" KELMORA_PRINT_MODULE);
        QLibrary module(path);
        return reinterpret_cast<PrintFunction>(module.resolve("kelmoraPrint"));
    }();
    return print;
}

double pointSize(const QFont& f) { return f.pointSizeF() > 0 ? f.pointSizeF() : 10.0; }

// The row split into the pieces that fit the width, breaking at a word where
// there is one and anywhere else otherwise.
QStringList wrapped(const QString& row, const QFont& font, QPaintDevice* device, qreal width) {
    if (row.isEmpty()) return {QString()};
    QTextLayout layout(row, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList pieces;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        pieces << row.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return pieces;
}
}  // namespace

int paintPages(QPagedPaintDevice& device, const PrintedRows& doc) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    const int width = device.width();
    // A table: the columns' widths, the font made smaller until they fit.
    QFont font = doc.font;
    QList<double> edges;  // the right edge of each column
    for (int attempt = 0; !doc.columns.isEmpty() && attempt < 8; ++attempt) {
        const QFontMetricsF fm(font, &device);
        QList<double> widths(doc.columns.size(), 0.0);
        for (const QString& row : doc.rows) {
            const QStringList cells = row.split('\t');
            for (int c = 0; c < cells.size() && c < widths.size(); ++c)
                widths[c] = std::max(widths[c], fm.horizontalAdvance(cells[c]));
        }
        edges.clear();
        double x = 0;
        for (int c = 0; c < widths.size(); ++c) edges << (x += widths[c] + (c ? fm.height() * 1.2 : 0.0));
        if (x <= width) break;
        font.setPointSizeF(pointSize(font) * std::max(0.5, width / x));
    }
    const double dpi = device.logicalDpiY();
    const double pitch = kPitch * pointSize(font) * dpi / 72.0;
    const int perPage = std::max(1, static_cast<int>(device.height() / pitch) - kHeadLines);

    QStringList lines;
    if (doc.columns.isEmpty())
        for (const QString& row : doc.rows) lines << wrapped(row, font, &device, width);
    else
        lines = doc.rows;
    const int pages = std::max<int>(1, (lines.size() + perPage - 1) / perPage);

    QFont titleFont = doc.font;
    titleFont.setPointSizeF(pointSize(doc.font) * 1.4);
    titleFont.setBold(true);
    const QFontMetricsF rowMetrics(font, &device);
    const QString date = doc.date.toString(QStringLiteral("yyyy年M月d日"));
    for (int page = 0; page < pages; ++page) {
        if (page > 0) device.newPage();
        painter.setFont(titleFont);
        painter.drawText(QRectF(0, 0, width, 2 * pitch), Qt::AlignLeft | Qt::AlignVCenter, doc.title);
        painter.setFont(font);
        const QRectF dateLine(0, 2 * pitch, width, pitch);
        painter.drawText(dateLine, Qt::AlignLeft | Qt::AlignVCenter, date);
        painter.drawText(dateLine, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("第 %1 页，共 %2 页").arg(page + 1).arg(pages));
        const int first = page * perPage;
        const int last = std::min<int>(lines.size(), first + perPage);
        for (int i = first; i < last; ++i) {
            const double top = (kHeadLines + i - first) * pitch;
            const double base = top + (pitch + rowMetrics.ascent() - rowMetrics.descent()) / 2;
            if (edges.isEmpty()) {
                painter.drawText(QPointF(0, base), lines[i]);
                continue;
            }
            const QStringList cells = lines[i].split('\t');
            for (int c = 0; c < cells.size() && c < edges.size(); ++c) {
                const double left = c ? edges[c - 1] + rowMetrics.height() * 1.2 : 0.0;
                const double x = doc.columns[c] ? edges[c] - rowMetrics.horizontalAdvance(cells[c]) : left;
                painter.drawText(QPointF(x, base), cells[c]);
            }
        }
    }
    painter.end();
    return pages;
}

int writePdf(const QString& path, const PrintedRows& doc) {
    QPdfWriter writer(path);
    writer.setTitle(doc.title);
    writer.setCreator(QStringLiteral("Kelmora"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    return paintPages(writer, doc);
}

// What a screen reader learns of the band: read-only lines of text, every
// printed row, and the rows that are added as they come.
class SurfaceAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SurfaceAccessible(SurfaceWidget* w) : QAccessibleWidget(w, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State st = QAccessibleWidget::state();
        st.readOnly = true;
        st.multiLine = true;
        st.editable = false;
        st.focusable = true;
        return st;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return rows();
        if (t == QAccessible::Name) return bandName(band()->window().def());
        return QAccessibleWidget::text(t);
    }

    // The text: every row, one a line.
    QString text(int start, int end) const override { return rows().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(rows().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return band()->caretOffset(); }
    void setCursorPosition(int position) override { band()->setCaretOffset(position); }
    QRect characterRect(int offset) const override {
        const QRect r = band()->characterRect(offset);
        return r.isNull() ? r : QRect(band()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return band()->offsetAt(band()->viewport()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { band()->setCaretOffset(start); }
    // The rows carry no attributes of their own: one run over all of them.
    // (A screen reader builds its lines from these runs; an empty one cut
    // every line's last character.)
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    SurfaceWidget* band() const { return static_cast<SurfaceWidget*>(widget()); }
    QString rows() const { return band()->allRows(); }
};

namespace {
QAccessibleInterface* accessibleSurface(const QString&, QObject* object) {
    if (auto* s = qobject_cast<SurfaceWidget*>(object)) return new SurfaceAccessible(s);
    return nullptr;
}
}  // namespace

SurfaceWidget::SurfaceWidget(const Window& window, QWidget* parent) : QAbstractScrollArea(parent), window_(window) {
    static const bool factory = (QAccessible::installFactory(accessibleSurface), true);
    (void)factory;
    setFrameShape(QFrame::NoFrame);
    // The rows stand on the window's own background, like the controls: the
    // window has filled it already.
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    // The keyboard reaches the rows too (after every control): arrows and
    // page keys scroll them, Ctrl+C copies them.
    setFocusPolicy(Qt::StrongFocus);
    // Posting the printed entries to the workbook, from the context menu or
    // the keyboard anywhere in the window.
    postAction_ = new QAction(QStringLiteral("记入凭证…"), this);
    postAction_->setShortcut(kPostShortcut);
    postAction_->setShortcutContext(Qt::WindowShortcut);
    connect(postAction_, &QAction::triggered, this, [this] { postFromWindow(this, window_); });
    addAction(postAction_);
    rowsChanged();
}

int SurfaceWidget::lineHeight() const { return fontMetrics().lineSpacing(); }

int SurfaceWidget::padding() const { return std::max(2, fontMetrics().height() / 5); }

void SurfaceWidget::rowsChanged() {
    const Surface& s = window_.surface();
    const std::size_t n = s.rowCount();
    const bool added = n > measured_;
    if (n < measured_) {  // cleared
        caretLine_ = caretColumn_ = 0;
        measured_ = 0;
        widest_ = 0;
        chars_ = 0;
        lastChars_ = 0;
    }
    // The last row measured may have grown since (continued text); every
    // other row is final.
    const QFontMetrics fm = fontMetrics();
    const std::size_t before = measured_;
    QString text;          // the rows added, as the text grows by them
    QString grown;         // what continued text added to the last row
    qsizetype grownAt = 0;
    for (std::size_t i = measured_ ? measured_ - 1 : 0; i < n; ++i) {
        const QString row = q(s.row(i));
        widest_ = std::max(widest_, fm.horizontalAdvance(row));
        const qsizetype size = row.size();
        if (i + 1 == before) {
            if (size > lastChars_) {
                grownAt = chars_;
                grown = row.mid(lastChars_);
            }
            chars_ += size - lastChars_;
        } else {
            text += (i > 0 ? QStringLiteral("\n") : QString()) + row;
        }
        lastChars_ = size;
    }
    measured_ = n;
    updateRanges();
    if (added) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
    // Said aloud by a screen reader: the text added, where it begins in the
    // band's text.
    const auto announce = [this](qsizetype at, const QString& added) {
        QAccessibleTextInsertEvent event(this, static_cast<int>(at), added);
        QAccessible::updateAccessibility(&event);
        emit rowsAnnounced(static_cast<int>(at), added);
    };
    if (!grown.isEmpty()) announce(grownAt, grown);
    if (added) {
        announce(chars_, text);
        chars_ += text.size();
    }
}

void SurfaceWidget::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() != QEvent::FontChange) return;
    // Every row measured again in the new font, and the ranges worked out
    // for its line height; rows followed to the newest stay followed.
    const Surface& s = window_.surface();
    const QFontMetrics fm = fontMetrics();
    widest_ = 0;
    for (std::size_t i = 0; i < measured_ && i < s.rowCount(); ++i)
        widest_ = std::max(widest_, fm.horizontalAdvance(q(s.row(i))));
    updateRanges();
    viewport()->update();
}

void SurfaceWidget::updateRanges() {
    const QSize view = viewport()->size();
    const int lh = lineHeight();
    const qint64 height = static_cast<qint64>(measured_) * lh + 2 * padding();
    QScrollBar* v = verticalScrollBar();
    // Rows followed to the newest stay followed when the area changes size
    // (a horizontal scroll bar coming up takes a line's height from it).
    const bool atEnd = v->value() >= v->maximum();
    v->setRange(0, static_cast<int>(std::clamp<qint64>(height - view.height(), 0, INT_MAX)));
    if (atEnd) v->setValue(v->maximum());
    v->setPageStep(view.height());
    v->setSingleStep(lh);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, widest_ + 2 * padding() - view.width()));
    h->setPageStep(view.width());
    h->setSingleStep(fontMetrics().averageCharWidth() * 4);
}

void SurfaceWidget::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateRanges();
}

void SurfaceWidget::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

QString SurfaceWidget::row(int line) const {
    const Surface& s = window_.surface();
    return line >= 0 && static_cast<std::size_t>(line) < s.rowCount() ? q(s.row(static_cast<std::size_t>(line)))
                                                                      : QString();
}

int SurfaceWidget::lineStart(int line) const {
    const Surface& s = window_.surface();
    qsizetype at = 0;
    for (std::size_t i = 0; i < s.rowCount() && static_cast<int>(i) < line; ++i) at += q(s.row(i)).size() + 1;
    return static_cast<int>(at);
}

int SurfaceWidget::caretOffset() const { return lineStart(caretLine_) + caretColumn_; }

void SurfaceWidget::setCaretOffset(int offset) {
    const Surface& s = window_.surface();
    int line = 0;
    qsizetype at = 0;
    for (std::size_t i = 0; i < s.rowCount(); ++i, ++line) {
        const qsizetype size = q(s.row(i)).size();
        if (offset <= at + size || i + 1 == s.rowCount()) break;
        at += size + 1;
    }
    moveCaret(line, static_cast<int>(offset - at));
}

QRect SurfaceWidget::characterRect(int offset) const {
    const Surface& s = window_.surface();
    qsizetype at = 0;
    for (std::size_t i = 0; i < s.rowCount(); ++i) {
        const QString text = q(s.row(i));
        if (offset <= at + text.size()) {
            const int column = static_cast<int>(offset - at);
            const QFontMetrics fm = fontMetrics();
            const int x = padding() - horizontalScrollBar()->value() + fm.horizontalAdvance(text.left(column));
            const int y = static_cast<int>(i) * lineHeight() + padding() - verticalScrollBar()->value();
            // The newline ending a row: a narrow place after its text.
            const int w = column < text.size() ? fm.horizontalAdvance(text.mid(column, 1)) : fm.averageCharWidth();
            return {x, y, std::max(1, w), lineHeight()};
        }
        at += text.size() + 1;
    }
    return {};
}

int SurfaceWidget::offsetAt(const QPoint& point) const {
    const int y = point.y() + verticalScrollBar()->value() - padding();
    if (y < 0) return -1;
    const int line = y / lineHeight();
    if (static_cast<std::size_t>(line) >= window_.surface().rowCount()) return -1;
    const QString text = row(line);
    const QFontMetrics fm = fontMetrics();
    const int x = point.x() + horizontalScrollBar()->value() - padding();
    int column = 0;
    while (column < text.size() && fm.horizontalAdvance(text.left(column + 1)) <= x) ++column;
    return lineStart(line) + column;
}

void SurfaceWidget::moveCaret(int line, int column) {
    const int lines = static_cast<int>(window_.surface().rowCount());
    line = std::clamp(line, 0, std::max(0, lines - 1));
    column = std::clamp(column, 0, static_cast<int>(row(line).size()));
    const bool moved = line != caretLine_ || column != caretColumn_;
    caretLine_ = line;
    caretColumn_ = column;
    // In sight, at least in part.
    const int lh = lineHeight();
    QScrollBar* v = verticalScrollBar();
    const int top = line * lh + padding() - v->value();
    if (top + lh <= 0) v->setValue(line * lh + padding());
    else if (top >= viewport()->height()) v->setValue(line * lh + padding() + lh - viewport()->height());
    const QRect at = characterRect(caretOffset());
    QScrollBar* h = horizontalScrollBar();
    if (at.left() < 0) h->setValue(h->value() + at.left() - padding());
    else if (at.right() >= viewport()->width()) h->setValue(h->value() + at.right() - viewport()->width() + padding());
    viewport()->update();
    if (moved) {
        QAccessibleTextCursorEvent event(this, caretOffset());
        QAccessible::updateAccessibility(&event);
    }
}

bool SurfaceWidget::caretKey(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int lh = lineHeight();
    const int page = std::max(1, viewport()->height() / std::max(1, lh));
    const int last = std::max(0, static_cast<int>(window_.surface().rowCount()) - 1);
    if (mods == Qt::ControlModifier) {
        if (e->key() == Qt::Key_Home) moveCaret(0, 0);
        else if (e->key() == Qt::Key_End) moveCaret(last, INT_MAX);
        else return false;
        return true;
    }
    if (mods != Qt::NoModifier) return false;
    switch (e->key()) {
    case Qt::Key_Up: moveCaret(caretLine_ - 1, caretColumn_); return true;
    case Qt::Key_Down: moveCaret(caretLine_ + 1, caretColumn_); return true;
    case Qt::Key_PageUp: moveCaret(caretLine_ - page, caretColumn_); return true;
    case Qt::Key_PageDown: moveCaret(caretLine_ + page, caretColumn_); return true;
    case Qt::Key_Home: moveCaret(caretLine_, 0); return true;
    case Qt::Key_End: moveCaret(caretLine_, INT_MAX); return true;
    case Qt::Key_Left:
        if (caretColumn_ > 0) moveCaret(caretLine_, caretColumn_ - 1);
        else if (caretLine_ > 0) moveCaret(caretLine_ - 1, INT_MAX);
        return true;
    case Qt::Key_Right:
        if (caretColumn_ < row(caretLine_).size()) moveCaret(caretLine_, caretColumn_ + 1);
        else if (caretLine_ < last) moveCaret(caretLine_ + 1, 0);
        return true;
    default: return false;
    }
}

void SurfaceWidget::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (e->key() == Qt::Key_C && mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        copyTable();
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        copyRows();
        return;
    }
    if (mods == Qt::ControlModifier && (e->key() == Qt::Key_Home || e->key() == Qt::Key_End)) {
        QScrollBar* v = verticalScrollBar();
        v->setValue(e->key() == Qt::Key_Home ? v->minimum() : v->maximum());
        caretKey(e);
        return;
    }
    // The rows scroll as before (a line, a page), and the caret goes along:
    // the view moves only further where the caret went out of sight.
    // Sideways the caret leads, a character at a time.
    const bool sideways = mods == Qt::NoModifier && (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right);
    if (!sideways) QAbstractScrollArea::keyPressEvent(e);
    if (caretKey(e)) e->accept();
}

void SurfaceWidget::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
}

void SurfaceWidget::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
}

void SurfaceWidget::paintEvent(QPaintEvent* e) {
    const Surface& s = window_.surface();
    if (hasFocus()) {
        // The focus ring: the band has the keyboard; and the caret.
        QPainter ring(viewport());
        ring.setPen(QPen(palette().color(QPalette::Highlight), 2));
        ring.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
        const QRect caret = characterRect(caretOffset());
        if (!caret.isNull()) ring.fillRect(QRect(caret.left(), caret.top(), 2, caret.height()), palette().color(QPalette::WindowText));
    }
    const int lh = lineHeight();
    const int pad = padding();
    // Rows stand a little apart from the band's top and left edges.
    const int top = verticalScrollBar()->value() - pad;
    const int left = horizontalScrollBar()->value() - pad;
    // Only the rows that meet the part to be painted.
    const QRect area = e->rect();
    const std::size_t n = s.rowCount();
    const std::size_t first = static_cast<std::size_t>(std::max(0, (area.top() + top) / lh));
    if (area.bottom() + top < 0) return;
    const std::size_t last = std::min(n, static_cast<std::size_t>((area.bottom() + top) / lh) + 1);
    if (first >= last) return;
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::WindowText));
    const int ascent = fontMetrics().ascent();
    for (std::size_t i = first; i < last; ++i) {
        const std::string_view row = s.row(i);
        if (!row.empty()) p.drawText(-left, static_cast<int>(i) * lh - top + ascent, q(row));
    }
}

QString SurfaceWidget::allRows() const {
    const Surface& s = window_.surface();
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(s.rowCount()));
    for (std::size_t i = 0; i < s.rowCount(); ++i) lines << q(s.row(i));
    return lines.join('\n');
}

void SurfaceWidget::copyRows() const { QApplication::clipboard()->setText(allRows()); }

void SurfaceWidget::copyTable() const {
    QStringList lines;
    for (const std::string& row : journalTable(window_.surface())) lines << q(row);
    QApplication::clipboard()->setText(lines.join('\n'));
}

PrintedRows SurfaceWidget::printed() const {
    return {q(displayName(window_.def())), QDate::currentDate(), allRows().split('\n'), font(), {}};
}

bool printingAvailable() { return printFunction() != nullptr; }

void printRows(QWidget* parent, const PrintedRows& doc) {
    const NestedLoop loop;  // the print dialog
    const PrintFunction print = printFunction();
    const PagePainter paint = [](QPagedPaintDevice& printer, const void* rows) {
        return paintPages(printer, *static_cast<const PrintedRows*>(rows));
    };
    if (!print || print(parent, &doc.title, paint, &doc) == 0)
        QMessageBox::warning(parent, QStringLiteral("Kelmora"), QStringLiteral("无法打印。"));
}

void SurfaceWidget::print() { printRows(this, printed()); }

void SurfaceWidget::exportPdf() {
    const NestedLoop loop;  // the file dialog
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出PDF"),
                                                      q(fileStem(window_.def())) + QStringLiteral(".pdf"),
                                                      QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) return;
    if (writePdf(path, printed()) == 0)
        QMessageBox::warning(this, QStringLiteral("Kelmora"), QStringLiteral("无法写入文件 %1。").arg(path));
}

void SurfaceWidget::contextMenuEvent(QContextMenuEvent* e) {
    const NestedLoop loop;
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("复制")), &QAction::triggered, this, [this] { copyRows(); });
    connect(menu.addAction(QStringLiteral("复制为表格")), &QAction::triggered, this, [this] { copyTable(); });
    menu.addSeparator();
    menu.addAction(postAction_);
    // Actions the view gives the band (练习).
    for (QAction* a : actions())
        if (a->property("kelmoraBandMenu").toBool()) menu.addAction(a);
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("打印…")), &QAction::triggered, this, [this] { print(); });
    connect(menu.addAction(QStringLiteral("导出PDF…")), &QAction::triggered, this, [this] { exportPdf(); });
    menu.exec(e->globalPos());
}

}  // namespace kelmora
