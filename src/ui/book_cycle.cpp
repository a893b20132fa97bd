// Kelmora — the workbook window's views and dialogs of the bookkeeping
// cycle: 科目余额表, 资产负债表 and 利润表 with their drill-down, the
// operation log; 冲销, 结账 and 反结账; 填入报表窗口.  Every figure and
// every refusal is the model's (src/book); the window only shows them.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "book/chart.h"
#include "book/statements.h"
#include "core/app.h"
#include "core/window.h"
#include "core/window_names.h"
#include "ui/book_models.h"
#include "ui/book_module.h"
#include "ui/book_session.h"
#include "ui/book_window.h"

namespace kelmora {

extern const BookHost* moduleHost;

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString money(book::Cents c) { return q(book::yuan(c)); }

QTableWidgetItem* cell(const QString& text, bool figure = false, bool bold = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (figure) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    return item;
}

QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(parent);
    t->setObjectName(QString::fromUtf8(name));
    t->setColumnCount(static_cast<int>(headers.size()));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->setVisible(false);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

QComboBox* monthBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setMinimumContentsLength(8);
    return box;
}

QLabel* note(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setWordWrap(true);
    return l;
}

// The months a view offers: every month with a voucher, every closed month
// and this month, earliest first.
QStringList monthsOf(const book::Journal& j) {
    std::set<std::string> months{std::string(book::monthOf(book::today()))};
    for (const book::Voucher& v : j.vouchers()) months.insert(std::string(book::monthOf(v.date)));
    for (const std::string& m : j.closedMonths()) months.insert(m);
    QStringList out;
    for (const std::string& m : months) out << q(m);
    return out;
}

// The month of the latest voucher, or this month when there is none.
QString latestMonth(const book::Journal& j) {
    std::string latest;
    for (const book::Voucher& v : j.vouchers()) latest = std::max(latest, std::string(book::monthOf(v.date)));
    return q(latest.empty() ? std::string(book::monthOf(book::today())) : latest);
}

void setMonths(QComboBox* box, const QStringList& months, const QString& fallback) {
    const QString was = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(months);
    box->setCurrentText(months.contains(was) ? was : fallback);
}

// An item's text in the view: indented as the format indents it.
QString itemText(const book::StatementItem& it) { return QString(it.level * 2, QChar(0x3000)) + q(it.label); }

QDialogButtonBox* buttons(QDialog* d, const QString& ok, const char* okName) {
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    b->button(QDialogButtonBox::Ok)->setText(ok);
    b->button(QDialogButtonBox::Ok)->setObjectName(QString::fromUtf8(okName));
    b->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(b, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return b;
}
}  // namespace

void BookWindow::addCycleViews() {
    // 科目余额表
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    balanceMonth_ = monthBox(page, "balanceMonth");
    auto* label = new QLabel(QStringLiteral("月份"), page);
    label->setBuddy(balanceMonth_);
    row->addWidget(label);
    row->addWidget(balanceMonth_);
    row->addStretch();
    column->addLayout(row);
    balances_ = table(page, "balances",
                      {QStringLiteral("编码"), QStringLiteral("科目"), QStringLiteral("期初余额\n借方"),
                       QStringLiteral("期初余额\n贷方"), QStringLiteral("本期发生额\n借方"), QStringLiteral("本期发生额\n贷方"),
                       QStringLiteral("本年累计发生额\n借方"), QStringLiteral("本年累计发生额\n贷方"),
                       QStringLiteral("期末余额\n借方"), QStringLiteral("期末余额\n贷方")});
    column->addWidget(balances_);
    balanceNote_ = note(page, "balanceNote");
    column->addWidget(balanceNote_);
    connect(balanceMonth_, &QComboBox::currentTextChanged, this, [this] { fillBalances(); });
    tabs_->addTab(page, QStringLiteral("科目余额表"));

    // 资产负债表 and 利润表
    for (const bool sheet : {true, false}) {
        page = new QWidget;
        column = new QVBoxLayout(page);
        row = new QHBoxLayout;
        QComboBox* month = monthBox(page, sheet ? "sheetMonth" : "incomeMonth");
        label = new QLabel(QStringLiteral("月份"), page);
        label->setBuddy(month);
        row->addWidget(label);
        row->addWidget(month);
        row->addStretch();
        auto* fill = new QPushButton(QStringLiteral("填入报表窗口"), page);
        fill->setObjectName(sheet ? QStringLiteral("fillForms") : QStringLiteral("fillFormsIncome"));
        fill->setToolTip(QStringLiteral("把本月的资产负债表和利润表填入 Form120 和 Form119 的输入框"));
        connect(fill, &QPushButton::clicked, this, [this, month] { fillForms(month->currentText()); });
        auto* print = new QPushButton(QStringLiteral("打印…"), page);
        auto* pdf = new QPushButton(QStringLiteral("导出PDF…"), page);
        auto* csv = new QPushButton(QStringLiteral("导出CSV…"), page);
        const QString what = sheet ? QStringLiteral("资产负债表") : QStringLiteral("利润表");
        connect(print, &QPushButton::clicked, this, [this, sheet] { printRows(this, printedStatement(sheet)); });
        connect(pdf, &QPushButton::clicked, this, [this, sheet, what] {
            const QString path = askSavePath(QStringLiteral("导出PDF"), what + QStringLiteral(".pdf"),
                                             QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("pdf"));
            if (!path.isEmpty()) exportStatementPdf(path, sheet);
        });
        connect(csv, &QPushButton::clicked, this, [this, sheet, what] {
            const QString path = askSavePath(QStringLiteral("导出CSV"), what + QStringLiteral(".csv"),
                                             QStringLiteral("CSV 文件 (*.csv)"), QStringLiteral("csv"));
            if (!path.isEmpty()) exportStatementCsv(path, sheet);
        });
        for (QPushButton* b : {fill, print, pdf, csv}) row->addWidget(b);
        column->addLayout(row);
        QTableWidget* t = table(page, sheet ? "balanceSheet" : "incomeStatement",
                                sheet ? QStringList{QStringLiteral("项目"), QStringLiteral("期末余额"), QStringLiteral("年初余额")}
                                      : QStringList{QStringLiteral("项目"), QStringLiteral("本期金额"), QStringLiteral("本年累计金额")});
        t->setToolTip(QStringLiteral("双击金额查看它由哪些科目构成"));
        connect(t, &QTableWidget::cellDoubleClicked, this, [this, sheet](int r, int c) { drillDown(sheet, r, c); });
        column->addWidget(t);
        QLabel* n = note(page, sheet ? "sheetNote" : "incomeNote");
        column->addWidget(n);
        connect(month, &QComboBox::currentTextChanged, this, [this, sheet] { fillStatement(sheet); });
        (sheet ? sheetMonth_ : incomeMonth_) = month;
        (sheet ? sheet_ : income_) = t;
        (sheet ? sheetNote_ : incomeNote_) = n;
        tabs_->addTab(page, what);
    }

    // 操作日志
    page = new QWidget;
    column = new QVBoxLayout(page);
    log_ = table(page, "log", {QStringLiteral("时间"), QStringLiteral("操作"), QStringLiteral("内容")});
    log_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    log_->setWordWrap(true);
    column->addWidget(log_);
    row = new QHBoxLayout;
    auto* logCsv = new QPushButton(QStringLiteral("导出CSV…"), page);
    logCsv->setObjectName(QStringLiteral("logCsv"));
    connect(logCsv, &QPushButton::clicked, this, [this] {
        const QString path = askSavePath(QStringLiteral("导出CSV"), QStringLiteral("操作日志.csv"),
                                         QStringLiteral("CSV 文件 (*.csv)"), QStringLiteral("csv"));
        if (!path.isEmpty()) exportLogCsv(path);
    });
    row->addWidget(logCsv);
    row->addStretch();
    column->addLayout(row);
    tabs_->addTab(page, QStringLiteral("操作日志"));

    // The views that read much are filled when shown.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int) { fillCycleView(); });

    QMenu* period = menuBar()->addMenu(QStringLiteral("期末"));
    period->addAction(QStringLiteral("结账…"), this, [this] { askClose(); });
    period->addAction(QStringLiteral("反结账…"), this, [this] { askReopen(); });
    period->addSeparator();
    period->addAction(QStringLiteral("填入报表窗口"), this, [this] { fillForms(statementMonth(true)); });
}

void BookWindow::fillCycleView() {
    QWidget* shown = tabs_->currentWidget();
    if (!shown) return;
    if (shown->isAncestorOf(balances_)) fillBalances();
    if (shown->isAncestorOf(sheet_)) fillStatement(true);
    if (shown->isAncestorOf(income_)) fillStatement(false);
    if (shown->isAncestorOf(log_)) fillLog();
}

void BookWindow::fillMonths() {
    const book::Journal& j = journal();
    const QStringList months = monthsOf(j);
    const QString latest = latestMonth(j);
    for (QComboBox* box : {balanceMonth_, sheetMonth_, incomeMonth_}) setMonths(box, months, latest);
    const std::string closed = j.latestClosed();
    closedNote_->setText(closed.empty() ? QStringLiteral("尚未结账。")
                                        : QStringLiteral("已结账至 %1：此前的凭证不能再记账、删除。").arg(q(closed)));
}

QString BookWindow::balanceMonth() const { return balanceMonth_->currentText(); }
QString BookWindow::statementMonth(bool balanceSheet) const {
    return (balanceSheet ? sheetMonth_ : incomeMonth_)->currentText();
}

void BookWindow::fillBalances() {
    const book::BalanceTable t = book::balanceTable(journal(), balanceMonth().toStdString());
    balances_->setRowCount(static_cast<int>(t.rows.size()) + 1);
    int r = 0;
    const auto put = [&](const book::BalanceRow& row, bool total) {
        const book::Placement p = book::place(row.account);
        QTableWidgetItem* code = cell(total ? QString() : row.code.empty() ? QStringLiteral("未归入") : q(row.code), false, total);
        if (!total && row.code.empty()) {
            code->setForeground(QColor(0xb0, 0, 0));
            code->setToolTip(q(p.reason.empty() ? std::string("科目表中没有这个科目") : p.reason));
        }
        balances_->setItem(r, 0, code);
        balances_->setItem(r, 1, cell(q(row.account), false, total));
        int c = 2;
        for (book::Cents v : {row.openDebit, row.openCredit, row.debit, row.credit, row.yearDebit, row.yearCredit,
                              row.closeDebit, row.closeCredit})
            balances_->setItem(r, c++, cell(money(v), true, total));
        ++r;
    };
    for (const book::BalanceRow& row : t.rows) put(row, false);
    put(t.total, true);
    QStringList words{t.balanced() ? QStringLiteral("平衡。") : QStringLiteral("不平衡。")};
    for (const book::BalanceRow& row : t.rows)
        if (row.code.empty())
            words << QStringLiteral("“%1”不能归入科目表：%2。").arg(q(row.account), q(book::place(row.account).reason));
    balanceNote_->setText(words.join(QChar(' ')));
    balanceNote_->setStyleSheet(t.balanced() ? QString() : QStringLiteral("color: #b00000;"));
}

void BookWindow::fillStatement(bool balanceSheet) {
    const std::string month = statementMonth(balanceSheet).toStdString();
    const book::FinancialStatement s =
        balanceSheet ? book::balanceSheet(journal(), month) : book::incomeStatement(journal(), month);
    QTableWidget* t = balanceSheet ? sheet_ : income_;
    t->setRowCount(static_cast<int>(s.items.size()));
    for (int r = 0; r < static_cast<int>(s.items.size()); ++r) {
        const book::StatementItem& it = s.items[static_cast<std::size_t>(r)];
        const bool bold = it.heading || it.total;
        t->setItem(r, 0, cell(itemText(it), false, bold));
        t->setItem(r, 1, cell(it.heading ? QString() : money(it.amount), true, bold));
        t->setItem(r, 2, cell(it.heading ? QString() : money(it.other), true, bold));
        t->item(r, 0)->setToolTip(q(it.formula));
    }
    QStringList words;
    if (balanceSheet) {
        const book::StatementItem* assets = s.item("资产总计");
        const book::StatementItem* both = s.item("负债和所有者权益总计");
        const bool even = assets && both && assets->amount == both->amount && assets->other == both->other;
        words << (even ? QStringLiteral("资产总计等于负债和所有者权益总计。") : QStringLiteral("资产总计不等于负债和所有者权益总计。"));
    } else {
        words << QStringLiteral("%1：本月；本年累计：%2-01 至 %1 月末。结转损益的凭证不计入。").arg(q(month), q(month.substr(0, 4)));
    }
    if (!s.unplaced.empty()) {
        QStringList names;
        for (const std::string& n : s.unplaced) names << q(n);
        words << QStringLiteral("未计入不能归入科目表的科目：%1。").arg(names.join(QStringLiteral("、")));
    }
    (balanceSheet ? sheetNote_ : incomeNote_)->setText(words.join(QChar(' ')));
}

void BookWindow::drillDown(bool balanceSheet, int row, int column) {
    if (column < 1) column = 1;
    const std::string month = statementMonth(balanceSheet).toStdString();
    const book::FinancialStatement s =
        balanceSheet ? book::balanceSheet(journal(), month) : book::incomeStatement(journal(), month);
    if (row < 0 || row >= static_cast<int>(s.items.size())) return;
    const book::StatementItem& it = s.items[static_cast<std::size_t>(row)];
    if (it.heading) return;
    const bool other = column == 2;
    const std::vector<book::Source>& sources = other ? it.otherSources : it.sources;
    QDialog d(this);
    d.setObjectName(QStringLiteral("drillDialog"));
    const QString col = q(other ? s.otherColumn : s.column);
    d.setWindowTitle(QStringLiteral("%1 — %2").arg(q(it.name), col));
    auto* layout = new QVBoxLayout(&d);
    auto* head = note(&d, "figure");
    head->setText(QStringLiteral("%1 %2 %3：%4").arg(q(s.title), q(month), col, money(other ? it.other : it.amount)));
    layout->addWidget(head);
    auto* formula = note(&d, "formula");
    formula->setText(QStringLiteral("公式：%1").arg(q(it.formula)));
    layout->addWidget(formula);
    QTableWidget* t = table(&d, "sources", {QStringLiteral("编码"), QStringLiteral("科目"), QStringLiteral("金额")});
    t->setRowCount(static_cast<int>(sources.size()));
    for (int r = 0; r < static_cast<int>(sources.size()); ++r) {
        const book::Source& src = sources[static_cast<std::size_t>(r)];
        t->setItem(r, 0, cell(q(book::codeOf(src.account))));
        t->setItem(r, 1, cell(q(src.account)));
        t->setItem(r, 2, cell(money(src.amount), true));
    }
    if (sources.empty()) {
        auto* none = note(&d, "none");
        none->setText(it.total ? QStringLiteral("由其他项目计算得出。") : QStringLiteral("没有科目有金额。"));
        layout->addWidget(none);
    }
    layout->addWidget(t);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &d);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(close, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    layout->addWidget(close);
    d.resize(std::max(d.sizeHint().width(), fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60), d.sizeHint().height());
    d.exec();
}

void BookWindow::fillLog() {
    const std::vector<book::LogEntry> log = BookSession::instance().workbook(this).log();
    log_->setRowCount(static_cast<int>(log.size()));
    for (int r = 0; r < static_cast<int>(log.size()); ++r) {
        const book::LogEntry& e = log[static_cast<std::size_t>(r)];
        log_->setItem(r, 0, cell(q(e.at)));
        log_->setItem(r, 1, cell(q(e.action)));
        log_->setItem(r, 2, cell(q(e.detail)));
    }
}

// ---- corrections and closing ----

void BookWindow::reverseSelected() {
    const QModelIndex at = vouchers_->currentIndex();
    if (!at.isValid()) return;
    const int number = voucherRows_->voucherAt(at.row());
    const book::Voucher* v = journal().find(number);
    if (!v) return;
    QDialog d(this);
    d.setObjectName(QStringLiteral("reverseDialog"));
    d.setWindowTitle(QStringLiteral("冲销凭证"));
    auto* form = new QFormLayout(&d);
    auto* what = note(&d, "what");
    what->setText(QStringLiteral("以红字（金额取负数）记入一张新凭证，冲销 %1（%2，%3）。")
                      .arg(q(book::voucherName(number)), q(v->date), q(v->summary)));
    form->addRow(what);
    auto* date = new QDateEdit(QDate::currentDate(), &d);
    date->setObjectName(QStringLiteral("date"));
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date->setCalendarPopup(true);
    form->addRow(QStringLiteral("冲销日期"), date);
    if (const std::string closed = journal().latestClosed(); !closed.empty()) {
        auto* lock = note(&d, "lock");
        lock->setText(QStringLiteral("已结账至 %1：冲销凭证须记在此后未结账的月份。").arg(q(closed)));
        form->addRow(lock);
    }
    QDialogButtonBox* b = buttons(&d, QStringLiteral("冲销"), "confirm");
    form->addRow(b);
    connect(b, &QDialogButtonBox::accepted, &d, [&] {
        int made = 0;
        const std::string day = date->date().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
        if (BookSession::instance().attempt(&d, [&](book::Workbook& w) { made = w.reverse(number, day); })) {
            d.accept();
            statusBar()->showMessage(QStringLiteral("已记入 %1，冲销 %2。").arg(q(book::voucherName(made)), q(book::voucherName(number))));
            if (const int r = voucherRows_->rowOf(made); r >= 0) vouchers_->setCurrentIndex(voucherRows_->index(r, 0));
        }
    });
    d.exec();
}

void BookWindow::askClose() {
    const book::Journal& j = journal();
    QDialog d(this);
    d.setObjectName(QStringLiteral("closeDialog"));
    d.setWindowTitle(QStringLiteral("结账"));
    auto* layout = new QVBoxLayout(&d);
    auto* form = new QFormLayout;
    auto* month = monthBox(&d, "month");
    const std::string closed = j.latestClosed();
    QString first;
    for (const QString& m : monthsOf(j))
        if (m.toStdString() > closed) {
            month->addItem(m);
            if (first.isEmpty() && std::any_of(j.vouchers().begin(), j.vouchers().end(), [&](const book::Voucher& v) {
                    return book::monthOf(v.date) == m.toStdString();
                }))
                first = m;
        }
    if (!first.isEmpty()) month->setCurrentText(first);
    form->addRow(QStringLiteral("结账月份"), month);
    auto* state = note(&d, "closed");
    state->setText(closed.empty() ? QStringLiteral("尚未结账。") : QStringLiteral("已结账至 %1。").arg(q(closed)));
    form->addRow(state);
    layout->addLayout(form);
    auto* refusal = note(&d, "refusal");
    refusal->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(refusal);
    auto* heading = note(&d, "heading");
    layout->addWidget(heading);
    QTableWidget* drafts = table(&d, "drafts",
                                 {QStringLiteral("日期"), QStringLiteral("摘要"), QStringLiteral("编码"), QStringLiteral("科目"),
                                  QStringLiteral("借方"), QStringLiteral("贷方")});
    layout->addWidget(drafts);
    auto* after = note(&d, "after");
    layout->addWidget(after);
    QDialogButtonBox* b = buttons(&d, QStringLiteral("结账"), "confirm");
    layout->addWidget(b);
    const auto show = [&] {
        const std::string m = month->currentText().toStdString();
        BookSession& session = BookSession::instance();
        const book::Workbook& w = session.workbook(this);
        const std::optional<book::RefusedError> why = w.closeRefusal(m);
        refusal->setText(why ? q(why->what()) : QString());
        refusal->setVisible(why.has_value());
        const std::vector<book::Workbook::Draft> posts = why ? std::vector<book::Workbook::Draft>() : w.closingDrafts(m);
        int rows = 0;
        for (const auto& p : posts) rows += static_cast<int>(p.lines.size());
        drafts->setRowCount(rows);
        int r = 0;
        for (const auto& p : posts) {
            bool top = true;
            for (const book::Line& l : p.lines) {
                const bool debit = l.side == book::Side::Debit;
                drafts->setItem(r, 0, cell(top ? q(p.date) : QString()));
                drafts->setItem(r, 1, cell(top ? q(p.summary) : QString()));
                drafts->setItem(r, 2, cell(q(book::codeOf(l.account))));
                drafts->setItem(r, 3, cell(q(l.account)));
                drafts->setItem(r, 4, cell(debit ? money(l.amount) : QString(), true));
                drafts->setItem(r, 5, cell(debit ? QString() : money(l.amount), true));
                top = false;
                ++r;
            }
        }
        heading->setText(why ? QString()
                         : posts.empty() ? QStringLiteral("本月没有损益类科目的余额，结账不记入凭证。")
                                         : QStringLiteral("结账将记入以下 %1 张凭证：").arg(posts.size()));
        drafts->setVisible(!posts.empty());
        after->setText(why ? QString() : QStringLiteral("结账后，%1 及以前的凭证不能再记账、删除；需要更改时可以冲销，或者反结账。").arg(q(m)));
        b->button(QDialogButtonBox::Ok)->setEnabled(!why);
    };
    show();
    connect(month, &QComboBox::currentTextChanged, &d, show);
    connect(b, &QDialogButtonBox::accepted, &d, [&] {
        const std::string m = month->currentText().toStdString();
        std::vector<int> posted;
        if (BookSession::instance().attempt(&d, [&](book::Workbook& w) { posted = w.close(m); })) {
            QStringList names;
            for (int n : posted) names << q(book::voucherName(n));
            statusBar()->showMessage(names.isEmpty() ? QStringLiteral("已结账 %1。").arg(q(m))
                                                     : QStringLiteral("已结账 %1，记入 %2。").arg(q(m), names.join(QStringLiteral("、"))));
            d.accept();
        } else {
            show();
        }
    });
    d.resize(std::max(d.sizeHint().width(), fontMetrics().horizontalAdvance(QLatin1Char('x')) * 80),
             std::max(d.sizeHint().height(), fontMetrics().lineSpacing() * 20));
    d.exec();
}

void BookWindow::askReopen() {
    const book::Journal& j = journal();
    if (j.closedMonths().empty()) {
        QMessageBox::information(this, QStringLiteral("反结账"), QStringLiteral("没有已结账的月份。"));
        return;
    }
    QDialog d(this);
    d.setObjectName(QStringLiteral("reopenDialog"));
    d.setWindowTitle(QStringLiteral("反结账"));
    auto* form = new QFormLayout(&d);
    auto* month = monthBox(&d, "month");
    for (const std::string& m : j.closedMonths()) month->addItem(q(m));
    month->setCurrentText(q(j.latestClosed()));
    form->addRow(QStringLiteral("反结账月份"), month);
    auto* what = note(&d, "what");
    what->setText(QStringLiteral("只能反结账最近结账的月份。反结账删除该月结账时记入的凭证，并解除锁定。"));
    form->addRow(what);
    QDialogButtonBox* b = buttons(&d, QStringLiteral("反结账"), "confirm");
    form->addRow(b);
    connect(b, &QDialogButtonBox::accepted, &d, [&] {
        const std::string m = month->currentText().toStdString();
        if (BookSession::instance().attempt(&d, [&](book::Workbook& w) { w.reopen(m); })) {
            statusBar()->showMessage(QStringLiteral("已反结账 %1。").arg(q(m)));
            d.accept();
        }
    });
    d.exec();
}

bool BookWindow::fillForms(const QString& month) {
    App* app = moduleHost && moduleHost->app ? moduleHost->app() : nullptr;
    if (!app) {
        QMessageBox::warning(this, QStringLiteral("Kelmora"), QStringLiteral("主窗口尚未打开，无法填入报表窗口。"));
        return false;
    }
    const std::string m = month.toStdString();
    QStringList names;
    for (const book::BoxFigures& f : {book::form120Figures(journal(), m), book::form119Figures(journal(), m)}) {
        Window* w = app->window(f.form);
        if (!w) continue;
        for (const auto& [box, text] : f.boxes) w->typeText(box, text);
        app->open(f.form);
        names << q(displayName(w->def()));
    }
    statusBar()->showMessage(QStringLiteral("已把 %1 的报表填入：%2。").arg(month, names.join(QStringLiteral("、"))));
    return true;
}

// ---- exports ----

QString BookWindow::askSavePath(const QString& title, const QString& name, const QString& filter, const QString& suffix) {
    QString path = QFileDialog::getSaveFileName(this, title, name, filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + suffix;
    return path;
}

bool BookWindow::writeFile(const QString& path, const std::string& text) {
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !out.flush()) {
        QMessageBox::warning(this, QStringLiteral("Kelmora"), QStringLiteral("无法写入文件 %1。").arg(path));
        return false;
    }
    return true;
}

bool BookWindow::exportBalanceCsv(const QString& path) {
    return writeFile(path, book::balanceTableCsv(book::balanceTable(journal(), balanceMonth().toStdString())));
}

bool BookWindow::exportLogCsv(const QString& path) {
    return writeFile(path, book::logCsv(BookSession::instance().workbook(this).log()));
}

bool BookWindow::exportStatementCsv(const QString& path, bool balanceSheet) {
    const std::string month = statementMonth(balanceSheet).toStdString();
    return writeFile(path, book::statementCsv(balanceSheet ? book::balanceSheet(journal(), month)
                                                           : book::incomeStatement(journal(), month)));
}

PrintedRows BookWindow::printedStatement(bool balanceSheet) const {
    const std::string month = statementMonth(balanceSheet).toStdString();
    const book::Journal& j = BookSession::instance().workbook(nullptr).journal();
    const book::FinancialStatement s = balanceSheet ? book::balanceSheet(j, month) : book::incomeStatement(j, month);
    PrintedRows doc{q(s.title) + QStringLiteral("　") + q(month), QDate::currentDate(), {}, font(), {false, true, true}};
    doc.rows << QStringLiteral("项目\t%1\t%2").arg(q(s.column), q(s.otherColumn));
    for (const book::StatementItem& it : s.items)
        doc.rows << QStringList{itemText(it), it.heading ? QString() : money(it.amount), it.heading ? QString() : money(it.other)}
                        .join('\t');
    if (!s.unplaced.empty()) {
        QStringList names;
        for (const std::string& n : s.unplaced) names << q(n);
        doc.rows << QString() << QStringLiteral("未计入不能归入科目表的科目：%1。").arg(names.join(QStringLiteral("、")));
    }
    return doc;
}

bool BookWindow::exportStatementPdf(const QString& path, bool balanceSheet) {
    if (writePdf(path, printedStatement(balanceSheet)) == 0) {
        QMessageBox::warning(this, QStringLiteral("Kelmora"), QStringLiteral("无法写入文件 %1。").arg(path));
        return false;
    }
    return true;
}

}  // namespace kelmora
