// Kelmora — vouchers on paper (记账凭证): the model's voucher pages drawn
// as the printed form, two to an A4 page or one per page of voucher paper.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>

#include "book/voucher_page.h"
#include "ui/book_module.h"
#include "ui/book_session.h"
#include "ui/book_window.h"

namespace kelmora {

extern const BookHost* moduleHost;

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString figure(book::Cents c) { return c == 0 ? QString() : q(book::yuan(c)); }

// Voucher paper: 240 × 140 mm, the common size of the printed forms.
const QPageSize& voucherPaper() {
    static const QPageSize size(QSizeF(240, 140), QPageSize::Millimeter, QStringLiteral("记账凭证 240×140"));
    return size;
}

struct Job {
    std::vector<book::VoucherPage> pages;
    QFont font;
};

// One voucher page drawn inside r.
void drawVoucher(QPainter& p, const QRectF& r, const book::VoucherPage& v, const QFont& base) {
    const QColor ink = v.reversal ? QColor(0xc0, 0, 0) : QColor(Qt::black);
    // Rows: title 2, the number line 1, head 1, the lines, 合计 1, signatures 1.
    const double unit = r.height() / (v.rows + 7.0);
    QFont f = base;
    f.setPixelSize(std::max(1, static_cast<int>(unit * 0.45)));
    QFont title = f;
    title.setPixelSize(std::max(1, static_cast<int>(unit * 0.9)));
    title.setBold(true);
    title.setLetterSpacing(QFont::PercentageSpacing, 140);
    p.setPen(QPen(Qt::black, std::max(1.0, unit / 30)));

    double y = r.top();
    p.setFont(title);
    const QRectF titleBox(r.left(), y, r.width(), 2 * unit);
    p.drawText(titleBox, Qt::AlignCenter, q(v.title));
    const double titleWidth = QFontMetricsF(title, p.device()).horizontalAdvance(q(v.title)) * 1.1;
    const double lineY = y + 1.6 * unit;
    p.drawLine(QPointF(r.center().x() - titleWidth / 2, lineY), QPointF(r.center().x() + titleWidth / 2, lineY));
    p.drawLine(QPointF(r.center().x() - titleWidth / 2, lineY + unit / 12),
               QPointF(r.center().x() + titleWidth / 2, lineY + unit / 12));
    y += 2 * unit;

    p.setFont(f);
    const QRectF numberLine(r.left(), y, r.width(), unit);
    p.drawText(numberLine, Qt::AlignLeft | Qt::AlignVCenter, q(v.number) + q(v.continuation));
    p.drawText(numberLine, Qt::AlignHCenter | Qt::AlignVCenter, q(v.date));
    p.drawText(numberLine, Qt::AlignRight | Qt::AlignVCenter, q(v.attachments));
    y += unit;

    // Columns: 摘要, 总账科目, 明细科目, 借方金额, 贷方金额.
    const double share[] = {0.20, 0.25, 0.19, 0.18, 0.18};
    double edges[6] = {r.left()};
    for (int c = 0; c < 5; ++c) edges[c + 1] = edges[c] + share[c] * r.width();
    const double top = y;
    const int rows = v.rows + 2;  // head, lines, 合计
    const QStringList heads{QStringLiteral("摘要"), QStringLiteral("总账科目"), QStringLiteral("明细科目"),
                            QStringLiteral("借方金额"), QStringLiteral("贷方金额")};
    for (int c = 0; c < 5; ++c) p.drawText(QRectF(edges[c], y, edges[c + 1] - edges[c], unit), Qt::AlignCenter, heads[c]);
    const double pad = unit / 5;
    // A text too long for its cell is set smaller until it fits, never cut.
    const auto fitted = [&](const QRectF& box, const QString& s, Qt::Alignment a) {
        QFont small = f;
        for (int i = 0; i < 6 && QFontMetricsF(small, p.device()).horizontalAdvance(s) > box.width(); ++i)
            small.setPixelSize(std::max(1, small.pixelSize() * 9 / 10));
        p.setFont(small);
        p.drawText(box, a | Qt::AlignVCenter | Qt::TextSingleLine, s);
        p.setFont(f);
    };
    const auto text = [&](int c, double at, const QString& s, Qt::Alignment a) {
        fitted(QRectF(edges[c] + pad, at, edges[c + 1] - edges[c] - 2 * pad, unit), s, a);
    };
    for (int i = 0; i < v.rows; ++i) {
        const double at = y + (i + 1) * unit;
        if (i >= static_cast<int>(v.lines.size())) continue;
        const book::VoucherPageLine& l = v.lines[static_cast<std::size_t>(i)];
        text(0, at, q(l.summary), Qt::AlignLeft);
        text(1, at, l.code.empty() ? q(l.account) : q(l.code) + QStringLiteral(" ") + q(l.account), Qt::AlignLeft);
        text(2, at, q(l.subAccount), Qt::AlignLeft);
        p.setPen(ink);
        text(3, at, figure(l.debit), Qt::AlignRight);
        text(4, at, figure(l.credit), Qt::AlignRight);
        p.setPen(Qt::black);
    }
    const double totalY = y + (v.rows + 1) * unit;
    text(0, totalY, q(v.totalLabel), Qt::AlignHCenter);
    // The amount in words across the two account columns.
    fitted(QRectF(edges[1] + pad, totalY, edges[3] - edges[1] - 2 * pad, unit), q(v.totalWords), Qt::AlignLeft);
    p.setPen(ink);
    text(3, totalY, q(book::yuan(v.debitTotal)), Qt::AlignRight);
    text(4, totalY, q(book::yuan(v.creditTotal)), Qt::AlignRight);
    p.setPen(QPen(Qt::black, std::max(1.0, unit / 30)));
    // The grid; 合计 spans the two account columns.
    const double bottom = top + rows * unit;
    p.drawRect(QRectF(r.left(), top, r.width(), bottom - top));
    for (int i = 1; i < rows; ++i) p.drawLine(QPointF(r.left(), top + i * unit), QPointF(r.right(), top + i * unit));
    for (int c = 1; c < 5; ++c) p.drawLine(QPointF(edges[c], top), QPointF(edges[c], c == 2 ? totalY : bottom));
    y = bottom;

    // The signature line: each title with room for a name after it.
    QStringList signs;
    for (const std::string& s : v.signatures) signs << q(s);
    const double cellWidth = r.width() / std::max<qsizetype>(1, signs.size());
    for (int i = 0; i < signs.size(); ++i)
        p.drawText(QRectF(r.left() + i * cellWidth, y, cellWidth, unit), Qt::AlignLeft | Qt::AlignVCenter,
                   signs[i] + QStringLiteral("："));
}

// Lays the pages out: on paper tall enough for two (A4 upright), two to a
// sheet; otherwise one per sheet.
int paintVouchers(QPagedPaintDevice& device, const void* context) {
    const Job& job = *static_cast<const Job*>(context);
    QPainter p;
    if (!p.begin(&device)) return 0;
    const QSizeF mm = device.pageLayout().paintRect(QPageLayout::Millimeter).size();
    const bool two = mm.height() >= 230;
    const double w = device.width(), h = device.height();
    const double slot = two ? h / 2 : h;
    int sheets = 0;
    for (std::size_t i = 0; i < job.pages.size(); ++i) {
        const int place = two ? static_cast<int>(i % 2) : 0;
        if (place == 0) {
            if (sheets > 0) device.newPage();
            ++sheets;
        } else {
            // A dashed line to cut along between the two.
            p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
            p.drawLine(QPointF(0, slot), QPointF(w, slot));
        }
        const double gap = slot * 0.06;
        drawVoucher(p, QRectF(0, place * slot + (place ? gap : 0), w, slot - gap), job.pages[i], job.font);
    }
    if (job.pages.empty()) p.drawText(QRectF(0, 0, w, h / 4), Qt::AlignCenter, QStringLiteral("没有凭证。"));
    p.end();
    return std::max(sheets, 1);
}

Job voucherJob(const book::Journal& j, const std::vector<int>& numbers, const QFont& font) {
    Job job{{}, font};
    for (const book::Voucher& v : j.vouchers()) {
        if (!numbers.empty() && std::find(numbers.begin(), numbers.end(), v.number) == numbers.end()) continue;
        for (book::VoucherPage& page : book::voucherPages(v)) job.pages.push_back(std::move(page));
    }
    return job;
}
}  // namespace

int BookWindow::exportVoucherPdf(const QString& path, bool onVoucherPaper, const std::vector<int>& numbers) {
    const Job job = voucherJob(journal(), numbers, font());
    QPdfWriter writer(path);
    writer.setTitle(QStringLiteral("记账凭证"));
    writer.setCreator(QStringLiteral("Kelmora"));
    writer.setPageLayout(QPageLayout(onVoucherPaper ? voucherPaper() : QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(12, 10, 12, 10), QPageLayout::Millimeter));
    const int pages = paintVouchers(writer, &job);
    if (pages == 0) QMessageBox::warning(this, QStringLiteral("Kelmora"), QStringLiteral("无法写入文件 %1。").arg(path));
    return pages;
}

void BookWindow::printVoucherPages(const std::vector<int>& numbers) {
    const Job job = voucherJob(journal(), numbers, font());
    moduleHost->printPages(this, QStringLiteral("记账凭证"), paintVouchers, &job);
}

void BookWindow::askVoucherPdf() {
    QDialog d(this);
    d.setObjectName(QStringLiteral("voucherPaperDialog"));
    d.setWindowTitle(QStringLiteral("凭证导出PDF"));
    auto* form = new QFormLayout(&d);
    auto* paper = new QComboBox(&d);
    paper->setObjectName(QStringLiteral("paper"));
    paper->addItems({QStringLiteral("A4 纸，每页两张凭证"), QStringLiteral("凭证纸（240×140 毫米），每页一张")});
    form->addRow(QStringLiteral("纸张"), paper);
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    b->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    b->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(b, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(b, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    form->addRow(b);
    if (d.exec() != QDialog::Accepted) return;
    const QString path = askSavePath(QStringLiteral("导出PDF"), QStringLiteral("记账凭证.pdf"), QStringLiteral("PDF 文件 (*.pdf)"),
                                     QStringLiteral("pdf"));
    if (!path.isEmpty()) exportVoucherPdf(path, paper->currentIndex() == 1);
}

}  // namespace kelmora
