#include "ui/book_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "book/chart.h"
#include "ui/book_models.h"
#include "ui/book_session.h"

namespace kelmora {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString money(book::Cents c) { return q(book::yuan(c)); }
const QString kFilter = QStringLiteral("Kelmora 账簿 (*.kbook);;所有文件 (*)");

QString withSuffix(QString path, const QString& suffix) {
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + suffix;
    return path;
}

QTableWidgetItem* cell(const QString& text, bool figure = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (figure) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void setupTable(QTableWidget* t, const QStringList& headers) {
    t->setColumnCount(static_cast<int>(headers.size()));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->setVisible(false);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(false);
    // Rows as tight as the text they hold, whatever the font.
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

// The code standing beside an account's name; a name the chart cannot
// place is marked as such, with the reason.
void putCode(QTreeWidgetItem* item, int column, const std::string& account) {
    const std::string_view code = book::codeOf(account);
    if (!code.empty()) {
        item->setText(column, q(code));
        return;
    }
    const book::Placement p = book::place(book::firstLevel(account));
    item->setText(column, QStringLiteral("未归入"));
    item->setForeground(column, QColor(0xb0, 0, 0));
    item->setToolTip(column, QStringLiteral("不能归入科目表：%1").arg(q(p.reason.empty() ? std::string("科目表中没有这个科目") : p.reason)));
}

QTableWidgetItem* codeCell(const std::string& account) {
    const std::string_view code = book::codeOf(account);
    QTableWidgetItem* item = cell(code.empty() ? QStringLiteral("未归入") : q(code));
    if (code.empty()) {
        const book::Placement p = book::place(book::firstLevel(account));
        item->setForeground(QColor(0xb0, 0, 0));
        item->setToolTip(QStringLiteral("不能归入科目表：%1").arg(q(p.reason.empty() ? std::string("科目表中没有这个科目") : p.reason)));
    }
    return item;
}

// Items in code order (names the chart cannot place last), otherwise as they came.
template <class T>
void orderByCode(std::vector<T>& items) {
    std::stable_sort(items.begin(), items.end(), [](const T& a, const T& b) {
        const std::string_view x = book::codeOf(a.account), y = book::codeOf(b.account);
        if (x.empty() != y.empty()) return y.empty();
        return x < y;
    });
}

// A long list: rows one line of text high, columns as wide as the rows in
// view ask, the text column taking the room left.
void setupList(QTableView* t, int stretch) {
    t->verticalHeader()->setVisible(false);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setShowGrid(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setSectionResizeMode(stretch, QHeaderView::Stretch);
}

// Columns as wide as their contents, the text column taking the room left.
void setupTree(QTreeWidget* t, int stretch) {
    t->setUniformRowHeights(true);
    t->header()->setStretchLastSection(false);
    t->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->header()->setSectionResizeMode(stretch, QHeaderView::Stretch);
}
}  // namespace

namespace {
BookWindow* made = nullptr;  // the one window, once made; lives as long as the program
}

BookWindow* BookWindow::current() {
    if (!made) made = new BookWindow;
    return made;
}

BookWindow* BookWindow::existing() { return made; }

BookWindow::BookWindow() : QMainWindow(nullptr) {
    setObjectName(QStringLiteral("bookWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    file->addAction(QStringLiteral("新建账簿…"), QKeySequence::New, this, [this] { askNew(); });
    file->addAction(QStringLiteral("打开账簿…"), QKeySequence::Open, this, [this] { askOpen(); });
    file->addAction(QStringLiteral("另存为…"), QKeySequence::SaveAs, this, [this] { askSaveAs(); });
    file->addSeparator();
    const auto saveFile = [this](const QString& title, const QString& name, const QString& filter) {
        return QFileDialog::getSaveFileName(this, title, name, filter);
    };
    for (const bool trial : {false, true}) {
        const QString what = trial ? QStringLiteral("试算平衡表") : QStringLiteral("凭证");
        file->addAction(QStringLiteral("导出%1CSV…").arg(what), this, [=, this] {
            const QString path = saveFile(QStringLiteral("导出CSV"), what + QStringLiteral(".csv"),
                                          QStringLiteral("CSV 文件 (*.csv)"));
            if (!path.isEmpty()) exportCsv(withSuffix(path, QStringLiteral("csv")), trial);
        });
    }
    file->addAction(QStringLiteral("导出科目余额表CSV…"), this, [this] {
        const QString path = askSavePath(QStringLiteral("导出CSV"), QStringLiteral("科目余额表.csv"),
                                         QStringLiteral("CSV 文件 (*.csv)"), QStringLiteral("csv"));
        if (!path.isEmpty()) exportBalanceCsv(path);
    });
    file->addAction(QStringLiteral("导出操作日志CSV…"), this, [this] {
        const QString path = askSavePath(QStringLiteral("导出CSV"), QStringLiteral("操作日志.csv"),
                                         QStringLiteral("CSV 文件 (*.csv)"), QStringLiteral("csv"));
        if (!path.isEmpty()) exportLogCsv(path);
    });
    file->addSeparator();
    // Vouchers as on voucher paper; the paper is chosen in the print dialog.
    file->addAction(QStringLiteral("打印凭证…"), this, [this] { printVoucherPages(); });
    file->addAction(QStringLiteral("凭证导出PDF…"), this, [this] { askVoucherPdf(); });
    file->addAction(QStringLiteral("打印凭证清单…"), this, [this] { printRows(this, printedVouchers()); });
    file->addAction(QStringLiteral("打印试算平衡表…"), this, [this] { printRows(this, printedTrial()); });
    file->addAction(QStringLiteral("试算平衡表导出PDF…"), this, [=, this] {
        const QString path = saveFile(QStringLiteral("导出PDF"), QStringLiteral("试算平衡表.pdf"), QStringLiteral("PDF 文件 (*.pdf)"));
        if (!path.isEmpty()) exportPdf(withSuffix(path, QStringLiteral("pdf")), true);
    });
    file->addSeparator();
    file->addAction(QStringLiteral("关闭"), QKeySequence::Close, this, [this] { close(); });
    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑"));
    edit->addAction(QStringLiteral("删除凭证"), QKeySequence::Delete, this, [this] { deleteSelected(); });
    edit->addAction(QStringLiteral("撤销删除"), QKeySequence::Undo, this, [this] { undo(); });
    edit->addAction(QStringLiteral("冲销凭证…"), this, [this] { reverseSelected(); });

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    setCentralWidget(tabs_);

    // 凭证
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    vouchers_ = new QTableView(page);
    vouchers_->setObjectName(QStringLiteral("vouchers"));
    voucherRows_ = new VoucherRows([this]() -> const book::Journal& { return journal(); }, this);
    vouchers_->setModel(voucherRows_);
    setupList(vouchers_, 2);
    column->addWidget(vouchers_);
    auto* row = new QHBoxLayout;
    delete_ = new QPushButton(QStringLiteral("删除"), page);
    delete_->setObjectName(QStringLiteral("delete"));
    undo_ = new QPushButton(QStringLiteral("撤销"), page);
    undo_->setObjectName(QStringLiteral("undo"));
    reverse_ = new QPushButton(QStringLiteral("冲销…"), page);
    reverse_->setObjectName(QStringLiteral("reverse"));
    reverse_->setToolTip(QStringLiteral("以红字凭证冲销选定的凭证（已结账月份的凭证也可以）"));
    row->addWidget(delete_);
    row->addWidget(undo_);
    row->addWidget(reverse_);
    auto* printOne = new QPushButton(QStringLiteral("打印此凭证…"), page);
    printOne->setObjectName(QStringLiteral("printVoucher"));
    printOne->setToolTip(QStringLiteral("按记账凭证的格式打印选定的凭证"));
    connect(printOne, &QPushButton::clicked, this, [this] {
        const QModelIndex at = vouchers_->currentIndex();
        if (at.isValid()) printVoucherPages({voucherRows_->voucherAt(at.row())});
    });
    row->addWidget(printOne);
    row->addStretch();
    closedNote_ = new QLabel(page);
    closedNote_->setObjectName(QStringLiteral("closedNote"));
    row->addWidget(closedNote_);
    column->addLayout(row);
    connect(reverse_, &QPushButton::clicked, this, [this] { reverseSelected(); });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(undo_, &QPushButton::clicked, this, [this] { undo(); });
    tabs_->addTab(page, QStringLiteral("凭证"));

    // 总账, with an account's rows beneath
    page = new QWidget;
    column = new QVBoxLayout(page);
    auto* split = new QSplitter(Qt::Vertical, page);
    accounts_ = new QTreeWidget(split);
    accounts_->setObjectName(QStringLiteral("accounts"));
    accounts_->setHeaderLabels({QStringLiteral("编码"), QStringLiteral("科目"), QStringLiteral("借或贷"), QStringLiteral("期初余额"),
                                QStringLiteral("本期借方"), QStringLiteral("本期贷方"), QStringLiteral("借或贷"),
                                QStringLiteral("期末余额")});
    setupTree(accounts_, 1);
    connect(accounts_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int col) {
        const QString account = item->text(1);
        if ((col == 2 || col == 3) && !item->parent())
            editOpening(account);
        else
            showLedger(account);
    });
    auto* lower = new QWidget(split);
    auto* lowerColumn = new QVBoxLayout(lower);
    lowerColumn->setContentsMargins(0, 0, 0, 0);
    ledgerTitle_ = new QLabel(QStringLiteral("双击科目查看它的明细账；双击期初余额修改它。"), lower);
    ledgerTitle_->setObjectName(QStringLiteral("ledgerTitle"));
    ledger_ = new QTableView(lower);
    ledger_->setObjectName(QStringLiteral("ledger"));
    ledgerRows_ = new LedgerRows(this);
    ledger_->setModel(ledgerRows_);
    setupList(ledger_, 2);
    connect(ledger_, &QTableView::doubleClicked, this, [this](const QModelIndex& at) {
        const int row = voucherRows_->rowOf(ledgerRows_->voucherAt(at.row()));
        if (row < 0) return;
        tabs_->setCurrentIndex(0);
        const QModelIndex to = voucherRows_->index(row, 0);
        vouchers_->setCurrentIndex(to);
        vouchers_->scrollTo(to, QAbstractItemView::PositionAtTop);
    });
    lowerColumn->addWidget(ledgerTitle_);
    lowerColumn->addWidget(ledger_);
    column->addWidget(split);
    row = new QHBoxLayout;
    auto* opening = new QPushButton(QStringLiteral("期初余额…"), page);
    opening->setObjectName(QStringLiteral("opening"));
    connect(opening, &QPushButton::clicked, this, [this] {
        QTreeWidgetItem* item = accounts_->currentItem();
        while (item && item->parent()) item = item->parent();
        editOpening(item ? item->text(1) : QString());
    });
    row->addWidget(opening);
    accountsByCode_ = new QCheckBox(QStringLiteral("按科目编码排列"), page);
    accountsByCode_->setObjectName(QStringLiteral("accountsByCode"));
    connect(accountsByCode_, &QCheckBox::toggled, this, [this] { fillAccounts(); });
    row->addWidget(accountsByCode_);
    row->addStretch();
    column->addLayout(row);
    tabs_->addTab(page, QStringLiteral("总账"));

    // 试算平衡表
    page = new QWidget;
    column = new QVBoxLayout(page);
    trial_ = new QTableWidget(page);
    trial_->setObjectName(QStringLiteral("trial"));
    setupTable(trial_, {QStringLiteral("编码"), QStringLiteral("科目"), QStringLiteral("期初借方"), QStringLiteral("期初贷方"), QStringLiteral("本期借方"),
                        QStringLiteral("本期贷方"), QStringLiteral("期末借方"), QStringLiteral("期末贷方")});
    column->addWidget(trial_);
    verdict_ = new QLabel(page);
    verdict_->setObjectName(QStringLiteral("verdict"));
    QFont big = verdict_->font();
    big.setBold(true);
    big.setPointSizeF((big.pointSizeF() > 0 ? big.pointSizeF() : 10) * 1.3);
    verdict_->setFont(big);
    row = new QHBoxLayout;
    row->addWidget(verdict_);
    row->addStretch();
    trialByCode_ = new QCheckBox(QStringLiteral("按科目编码排列"), page);
    trialByCode_->setObjectName(QStringLiteral("trialByCode"));
    connect(trialByCode_, &QCheckBox::toggled, this, [this] { fillTrial(); });
    row->addWidget(trialByCode_);
    column->addLayout(row);
    tabs_->addTab(page, QStringLiteral("试算平衡表"));

    addCycleViews();

    connect(&BookSession::instance(), &BookSession::changed, this, [this] { reload(); });
    const QFontMetrics fm = fontMetrics();
    const QRect avail = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    resize(std::min(avail.width() - 40, fm.horizontalAdvance(QLatin1Char('x')) * 120),
           std::min(avail.height() - 60, fm.lineSpacing() * 36));
    reload();
}

const book::Journal& BookWindow::journal() { return BookSession::instance().workbook(this).journal(); }

void BookWindow::reload() {
    journal();  // opens the workbook when nothing has yet
    const QString shown = BookSession::instance().path();
    setWindowTitle(shown.isEmpty() ? QStringLiteral("账簿 — 未保存") : QStringLiteral("账簿 — %1").arg(QFileInfo(shown).fileName()));
    statusBar()->showMessage(shown.isEmpty() ? QStringLiteral("账簿只在内存中：用“另存为”把它存入文件。") : shown);
    fillVouchers();
    fillAccounts();
    fillTrial();
    fillMonths();
    fillCycleView();
    if (!ledgerAccount_.isEmpty()) showLedger(ledgerAccount_);
    undo_->setEnabled(!deleted_.empty());
}

void BookWindow::fillVouchers() {
    const int selected = vouchers_->currentIndex().isValid() ? voucherRows_->voucherAt(vouchers_->currentIndex().row()) : 0;
    voucherRows_->reload();
    if (const int row = selected ? voucherRows_->rowOf(selected) : -1; row >= 0)
        vouchers_->setCurrentIndex(voucherRows_->index(row, 0));
    delete_->setEnabled(voucherRows_->rowCount() > 0);
    reverse_->setEnabled(voucherRows_->rowCount() > 0);
}

void BookWindow::fillAccounts() {
    accounts_->clear();
    const auto fill = [](QTreeWidgetItem* item, const book::AccountSummary& a, bool first) {
        putCode(item, 0, a.account);
        if (first) {
            item->setText(2, q(a.opening.word()));
            item->setText(3, money(a.opening.magnitude()));
        }
        item->setText(4, money(a.debit));
        item->setText(5, money(a.credit));
        item->setText(6, q(a.closing.word()));
        item->setText(7, money(a.closing.magnitude()));
        for (int c : {3, 4, 5, 7}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    };
    std::vector<book::AccountSummary> all = journal().accounts();
    if (accountsByCode_->isChecked()) orderByCode(all);
    for (const book::AccountSummary& a : all) {
        auto* item = new QTreeWidgetItem(accounts_, {QString(), q(a.account)});
        fill(item, a, true);
        for (const book::AccountSummary& s : a.subs) fill(new QTreeWidgetItem(item, {QString(), q(s.account)}), s, false);
    }
    accounts_->expandAll();
}

void BookWindow::fillTrial() {
    book::TrialBalance t = journal().trial();
    if (trialByCode_->isChecked()) orderByCode(t.rows);
    trial_->setRowCount(static_cast<int>(t.rows.size()) + 1);
    int r = 0;
    const auto put = [&](const book::TrialRow& row, bool total) {
        trial_->setItem(r, 0, total ? cell(QString()) : codeCell(row.account));
        trial_->setItem(r, 1, cell(q(row.account)));
        int c = 2;
        for (book::Cents v : {row.openDebit, row.openCredit, row.debit, row.credit, row.closeDebit, row.closeCredit})
            trial_->setItem(r, c++, cell(money(v), true));
        if (total)
            for (int i = 0; i < trial_->columnCount(); ++i) {
                QFont f = trial_->item(r, i)->font();
                f.setBold(true);
                trial_->item(r, i)->setFont(f);
            }
        ++r;
    };
    for (const book::TrialRow& row : t.rows) put(row, false);
    put(t.total, true);
    verdict_->setText(t.balanced() ? QStringLiteral("平衡") : QStringLiteral("不平衡"));
    verdict_->setStyleSheet(t.balanced() ? QStringLiteral("color: #006000;") : QStringLiteral("color: #b00000;"));
}

void BookWindow::showLedger(const QString& account) {
    ledgerAccount_ = account;
    const std::string name = account.toStdString();
    const std::string_view code = book::codeOf(name);
    const book::Placement p = book::place(book::firstLevel(name));
    ledgerTitle_->setText(!code.empty() ? QStringLiteral("明细账：%1 %2").arg(q(code), account)
                                        : QStringLiteral("明细账：%1（未归入科目表：%2）")
                                              .arg(account, q(p.reason.empty() ? std::string("科目表中没有这个科目") : p.reason)));
    ledgerRows_->show(journal().ledger(account.toStdString()));
}

void BookWindow::editOpening(const QString& account) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("openingDialog"));
    dialog.setWindowTitle(QStringLiteral("期初余额"));
    auto* form = new QFormLayout(&dialog);
    auto* name = new QComboBox(&dialog);
    name->setObjectName(QStringLiteral("account"));
    name->setEditable(true);
    for (const book::TrialRow& row : journal().trial().rows) name->addItem(q(row.account));
    name->setCurrentText(account);
    auto* side = new QComboBox(&dialog);
    side->setObjectName(QStringLiteral("side"));
    side->addItems({QStringLiteral("借"), QStringLiteral("贷")});
    auto* amount = new QLineEdit(&dialog);
    amount->setObjectName(QStringLiteral("amount"));
    amount->setAlignment(Qt::AlignRight);
    const auto showCurrent = [&] {
        const book::Cents c = journal().opening(name->currentText().toStdString());
        side->setCurrentIndex(c < 0 ? 1 : 0);
        amount->setText(money(c < 0 ? -c : c));
    };
    showCurrent();
    connect(name, &QComboBox::currentTextChanged, &dialog, showCurrent);
    form->addRow(QStringLiteral("一级科目"), name);
    form->addRow(QStringLiteral("方向"), side);
    form->addRow(QStringLiteral("金额"), amount);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const auto cents = book::parseAmount(amount->text().trimmed().toStdString());
        if (!cents) {
            QMessageBox::warning(&dialog, QStringLiteral("Kelmora"), QStringLiteral("金额“%1”不是一个数。").arg(amount->text()));
            return;
        }
        const std::string which = name->currentText().trimmed().toStdString();
        const book::Cents debit = side->currentIndex() == 1 ? -*cents : *cents;
        if (BookSession::instance().attempt(&dialog, [&](book::Workbook& b) { b.setOpening(which, debit); }))
            dialog.accept();
    });
    dialog.exec();
}

void BookWindow::deleteSelected() {
    const QModelIndex at = vouchers_->currentIndex();
    if (!at.isValid()) return;
    const int number = voucherRows_->voucherAt(at.row());
    std::optional<book::Voucher> gone;
    BookSession::instance().attempt(this, [&](book::Workbook& b) { gone = b.remove(number); });
    if (gone) deleted_.push_back(*gone);
    undo_->setEnabled(!deleted_.empty());
}

void BookWindow::undo() {
    if (deleted_.empty()) return;
    const book::Voucher v = deleted_.back();
    if (BookSession::instance().attempt(this, [&](book::Workbook& b) { b.restore(v); })) deleted_.pop_back();
    undo_->setEnabled(!deleted_.empty());
}

void BookWindow::askNew() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("新建账簿"), QStringLiteral("账簿.kbook"), kFilter,
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return;
    if (BookSession::instance().create(this, withSuffix(path, QStringLiteral("kbook")))) deleted_.clear();
}

void BookWindow::askOpen() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开账簿"), QString(), kFilter);
    if (path.isEmpty()) return;
    if (BookSession::instance().open(this, path)) deleted_.clear();
}

void BookWindow::askSaveAs() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("另存为"), QStringLiteral("账簿.kbook"), kFilter,
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return;
    BookSession::instance().saveAs(this, withSuffix(path, QStringLiteral("kbook")));
}

bool BookWindow::exportCsv(const QString& path, bool trial) {
    const std::string text = trial ? book::trialCsv(journal().trial()) : book::vouchersCsv(journal());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !out.flush()) {
        QMessageBox::warning(this, QStringLiteral("Kelmora"), QStringLiteral("无法写入文件 %1。").arg(path));
        return false;
    }
    return true;
}

PrintedRows BookWindow::printedVouchers() const {
    PrintedRows doc{QStringLiteral("记账凭证"), QDate::currentDate(), {}, font(), {false, false, false, false, true, true}};
    doc.rows << QStringLiteral("凭证号\t日期\t摘要\t科目\t借方\t贷方");
    for (const book::Voucher& v : BookSession::instance().workbook(nullptr).journal().vouchers()) {
        bool first = true;
        for (const book::Line& l : v.lines) {
            const bool d = l.side == book::Side::Debit;
            doc.rows << QStringList{first ? q(book::voucherName(v.number)) : QString(), first ? q(v.date) : QString(),
                                    first ? q(v.summary) : QString(), q(l.account), d ? money(l.amount) : QString(),
                                    d ? QString() : money(l.amount)}
                            .join('\t');
            first = false;
        }
    }
    return doc;
}

PrintedRows BookWindow::printedTrial() const {
    PrintedRows doc{QStringLiteral("试算平衡表"), QDate::currentDate(), {}, font(), {false, false, true, true, true, true, true, true}};
    doc.rows << QStringLiteral("编码\t科目\t期初借方\t期初贷方\t本期借方\t本期贷方\t期末借方\t期末贷方");
    const book::TrialBalance t = BookSession::instance().workbook(nullptr).journal().trial();
    const auto row = [&](const book::TrialRow& r) {
        QStringList cells{q(book::codeOf(r.account)), q(r.account)};
        for (book::Cents v : {r.openDebit, r.openCredit, r.debit, r.credit, r.closeDebit, r.closeCredit}) cells << money(v);
        doc.rows << cells.join('\t');
    };
    for (const book::TrialRow& r : t.rows) row(r);
    row(t.total);
    doc.rows << QString() << (t.balanced() ? QStringLiteral("平衡") : QStringLiteral("不平衡"));
    return doc;
}

bool BookWindow::exportPdf(const QString& path, bool trial) {
    if (writePdf(path, trial ? printedTrial() : printedVouchers()) == 0) {
        QMessageBox::warning(this, QStringLiteral("Kelmora"), QStringLiteral("无法写入文件 %1。").arg(path));
        return false;
    }
    return true;
}

void BookWindow::changeEvent(QEvent* e) {
    // Back in front: what another program wrote to the file meanwhile.
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) BookSession::instance().refresh(this);
    QMainWindow::changeEvent(e);
}

}  // namespace kelmora
