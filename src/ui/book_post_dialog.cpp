#include "ui/book_post_dialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "core/window.h"
#include "ui/book_session.h"

namespace kelmora {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The side box's items, in this order.
const QStringList kSides{QStringLiteral("借"), QStringLiteral("贷"), QStringLiteral("？")};
int sideIndex(book::Side s) { return s == book::Side::Debit ? 0 : s == book::Side::Credit ? 1 : 2; }
book::Side sideAt(int i) { return i == 0 ? book::Side::Debit : i == 1 ? book::Side::Credit : book::Side::None; }
}  // namespace

PostDialog::PostDialog(const Window& w, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("postDialog"));
    setWindowTitle(QStringLiteral("记入凭证 — %1").arg(q(w.def().caption)));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFormLayout;
    top->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    date_ = new QDateEdit(BookSession::instance().postingDate(), this);
    date_->setObjectName(QStringLiteral("date"));
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date_->setCalendarPopup(true);
    top->addRow(QStringLiteral("日期"), date_);
    BookSession::instance().workbook(parent);  // the last workbook, opened on first use
    const QString file = BookSession::instance().path();
    auto* where = new QLabel(file.isEmpty() ? QStringLiteral("（账簿只在内存中，尚未保存）") : file, this);
    where->setObjectName(QStringLiteral("bookPath"));
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addRow(QStringLiteral("账簿"), where);
    layout->addLayout(top);

    auto* scroller = new QScrollArea(this);
    scroller->setWidgetResizable(true);
    auto* inner = new QWidget;
    auto* list = new QVBoxLayout(inner);
    const auto blocks = book::blocksOf(w.surface());
    for (const book::Block& block : blocks) {
        BlockWidgets b;
        const QString k = QString::number(block.number);
        b.box = new QGroupBox(QStringLiteral("%1. %2").arg(k, block.heading.empty() ? QStringLiteral("（无标题）") : q(block.heading)),
                              inner);
        b.box->setObjectName(QStringLiteral("block%1").arg(k));
        b.box->setCheckable(true);
        b.box->setChecked(true);
        auto* grid = new QGridLayout(b.box);
        grid->addWidget(new QLabel(QStringLiteral("摘要"), b.box), 0, 0);
        b.summary = new QLineEdit(q(block.heading), b.box);
        b.summary->setObjectName(QStringLiteral("summary%1").arg(k));
        grid->addWidget(b.summary, 0, 1, 1, 2);
        int r = 1;
        for (const book::BlockRow& row : block.rows) {
            RowWidgets rw;
            rw.account = row.account;
            const QString n = QStringLiteral("%1_%2").arg(k).arg(r);
            rw.side = new QComboBox(b.box);
            rw.side->addItems(kSides);
            rw.side->setCurrentIndex(sideIndex(row.side));
            rw.side->setObjectName(QStringLiteral("side") + n);
            rw.side->setToolTip(QStringLiteral("借方或贷方"));
            auto* account = new QLabel(q(row.account), b.box);
            rw.amount = new QLineEdit(row.read == book::CentsRead::Ok && row.amount != 0 ? q(book::yuan(row.amount)) : QString(),
                                      b.box);
            rw.amount->setObjectName(QStringLiteral("amount") + n);
            rw.amount->setAlignment(Qt::AlignRight);
            rw.amount->setPlaceholderText(QStringLiteral("不记入"));
            grid->addWidget(rw.side, r, 0);
            grid->addWidget(account, r, 1);
            grid->addWidget(rw.amount, r, 2);
            connect(rw.side, &QComboBox::currentIndexChanged, this, [this] { update(); });
            connect(rw.amount, &QLineEdit::textChanged, this, [this] { update(); });
            b.rows.push_back(rw);
            ++r;
        }
        grid->setColumnStretch(1, 1);
        b.status = new QLabel(b.box);
        b.status->setObjectName(QStringLiteral("status%1").arg(k));
        b.status->setWordWrap(true);
        grid->addWidget(b.status, r, 0, 1, 3);
        connect(b.box, &QGroupBox::toggled, this, [this] { update(); });
        list->addWidget(b.box);
        blocks_.push_back(b);
    }
    if (blocks.empty()) list->addWidget(new QLabel(QStringLiteral("这个窗口没有打印出可以记账的分录。"), inner));
    list->addStretch();
    scroller->setWidget(inner);
    layout->addWidget(scroller, 1);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("hint"));
    hint_->setWordWrap(true);
    layout->addWidget(hint_);
    auto* buttons = new QDialogButtonBox(this);
    post_ = buttons->addButton(QStringLiteral("记账"), QDialogButtonBox::AcceptRole);
    post_->setObjectName(QStringLiteral("post"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &PostDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PostDialog::reject);
    layout->addWidget(buttons);

    // As tall as the blocks ask, within the screen.
    inner->adjustSize();
    const QScreen* screen = parent ? parent->screen() : nullptr;
    const int room = screen ? screen->availableGeometry().height() * 4 / 5 : 600;
    resize(std::max(inner->sizeHint().width() + 40, fontMetrics().horizontalAdvance(QLatin1Char('x')) * 80),
           std::min(room, inner->sizeHint().height() + top->sizeHint().height() + buttons->sizeHint().height() + 80));
    update();
    // The first block that needs mending is brought into view.
    for (const BlockWidgets& b : blocks_) {
        std::vector<book::Line> lines;
        if (read(b, &lines)) {
            QTimer::singleShot(0, scroller, [scroller, box = b.box] { scroller->ensureWidgetVisible(box, 0, 0); });
            break;
        }
    }
}

std::optional<std::string> PostDialog::read(const BlockWidgets& b, std::vector<book::Line>* lines) const {
    lines->clear();
    for (const RowWidgets& r : b.rows) {
        const QString text = r.amount->text().trimmed();
        if (text.isEmpty()) continue;
        const auto cents = book::parseAmount(text.toStdString());
        if (!cents) return "金额“" + text.toStdString() + "”不是一个数";
        if (*cents == 0) continue;
        lines->push_back({sideAt(r.side->currentIndex()), r.account, *cents});
    }
    return book::imbalance(*lines);
}

void PostDialog::update() {
    int chosen = 0;
    QStringList wrong;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const BlockWidgets& b = blocks_[i];
        std::vector<book::Line> lines;
        const auto problem = read(b, &lines);
        book::Cents debit = 0, credit = 0;
        for (const book::Line& l : lines) (l.side == book::Side::Debit ? debit : credit) += l.amount;
        if (problem) {
            b.status->setText(QStringLiteral("不平衡：%1。").arg(q(*problem)));
            b.status->setStyleSheet(QStringLiteral("color: #b00000;"));
        } else {
            b.status->setText(QStringLiteral("平衡：借方 %1，贷方 %2。").arg(q(book::yuan(debit)), q(book::yuan(credit))));
            b.status->setStyleSheet(QStringLiteral("color: #006000;"));
        }
        if (!b.box->isChecked()) continue;
        ++chosen;
        if (problem) wrong << QString::number(i + 1);
    }
    post_->setEnabled(chosen > 0 && wrong.isEmpty());
    if (!wrong.isEmpty())
        hint_->setText(QStringLiteral("第 %1 笔不平衡：请选定借贷方向或改正金额，或者不选它。").arg(wrong.join(QStringLiteral("、"))));
    else if (chosen == 0)
        hint_->setText(QStringLiteral("没有选定要记账的分录。"));
    else
        hint_->setText(QStringLiteral("选定的 %1 笔分录各记为一张凭证。").arg(chosen));
}

std::vector<book::Workbook::Draft> PostDialog::drafts() const {
    std::vector<book::Workbook::Draft> out;
    const std::string date = date_->date().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    for (const BlockWidgets& b : blocks_) {
        if (!b.box->isChecked()) continue;
        std::vector<book::Line> lines;
        if (read(b, &lines)) return {};
        out.push_back({date, b.summary->text().toStdString(), lines});
    }
    return out;
}

void PostDialog::accept() {
    const auto chosen = drafts();
    if (chosen.empty()) return;
    const bool done = BookSession::instance().attempt(this, [&](book::Workbook& b) { posted_ = b.post(chosen); });
    if (!done) return;
    QStringList names;
    for (int n : posted_) names << q(book::voucherName(n));
    QMessageBox::information(this, QStringLiteral("Kelmora"),
                             QStringLiteral("已记入凭证 %1。").arg(names.join(QStringLiteral("、"))));
    QDialog::accept();
}

}  // namespace kelmora
