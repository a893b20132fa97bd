// Kelmora — 账簿: the workbook's vouchers, general ledger and trial
// balance, 科目余额表, statements and operation log; 冲销, 结账 and 反结账;
// new, open and save-as; CSV, printing and PDF, vouchers on voucher paper.
#pragma once

#include <QMainWindow>
#include <vector>

#include "book/journal.h"
#include "ui/surface_widget.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelmora {

class LedgerRows;
class VoucherRows;

class BookWindow : public QMainWindow {
    Q_OBJECT
public:
    // The one workbook window, made on first use.
    static BookWindow* current();
    static BookWindow* existing();  // nullptr before it is first made

    // The menu's commands, each asking for a file name first; the same with
    // the name given.
    void askNew();
    void askOpen();
    void askSaveAs();
    bool exportCsv(const QString& path, bool trial);
    bool exportPdf(const QString& path, bool trial);
    PrintedRows printedVouchers() const;
    PrintedRows printedTrial() const;

    void reload();              // shows the workbook as it is now
    void deleteSelected();      // 删除 the voucher selected
    void undo();                // puts the last deleted voucher back
    void showLedger(const QString& account);  // drill-down below the general ledger
    void editOpening(const QString& account);  // asks for an account's opening balance

    // 冲销 of the voucher selected, asking for the reversal's date.
    void reverseSelected();
    // 结账: the closing dialog (month, what will be posted, confirm).
    void askClose();
    // 反结账: asks which month (the latest closed is offered).
    void askReopen();
    // 填入报表窗口: Form120 and Form119 filled from the statements of month.
    bool fillForms(const QString& month);
    // The figure at row, column of a statement view: the accounts behind it.
    void drillDown(bool balanceSheet, int row, int column);

    // The views' month (YYYY-MM) and exports.
    QString balanceMonth() const;
    QString statementMonth(bool balanceSheet) const;
    bool exportBalanceCsv(const QString& path);
    bool exportLogCsv(const QString& path);
    bool exportStatementCsv(const QString& path, bool balanceSheet);
    bool exportStatementPdf(const QString& path, bool balanceSheet);
    PrintedRows printedStatement(bool balanceSheet) const;
    // Vouchers on paper: two to an A4 page (voucherPaper false) or one per
    // page of voucher paper; numbers empty for every voucher.  The pages written.
    int exportVoucherPdf(const QString& path, bool voucherPaper, const std::vector<int>& numbers = {});
    void printVoucherPages(const std::vector<int>& numbers = {});
    void askVoucherPdf();  // asks for the paper, then the file

protected:
    void changeEvent(QEvent* e) override;

private:
    BookWindow();
    const book::Journal& journal();
    void fillVouchers();
    void fillAccounts();
    void fillTrial();
    void addCycleViews();
    void fillCycleView();  // the view in front, when it is one of the cycle's
    void fillBalances();
    void fillStatement(bool balanceSheet);
    void fillLog();
    void fillMonths();
    bool writeFile(const QString& path, const std::string& text);
    QString askSavePath(const QString& title, const QString& name, const QString& filter, const QString& suffix);

    QTabWidget* tabs_ = nullptr;
    QTableView* vouchers_ = nullptr;
    VoucherRows* voucherRows_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* undo_ = nullptr;
    QTreeWidget* accounts_ = nullptr;
    QLabel* ledgerTitle_ = nullptr;
    QTableView* ledger_ = nullptr;
    LedgerRows* ledgerRows_ = nullptr;
    QString ledgerAccount_;
    QTableWidget* trial_ = nullptr;
    QLabel* verdict_ = nullptr;
    QCheckBox* accountsByCode_ = nullptr;
    QCheckBox* trialByCode_ = nullptr;
    QPushButton* reverse_ = nullptr;
    QComboBox* balanceMonth_ = nullptr;
    QTableWidget* balances_ = nullptr;
    QLabel* balanceNote_ = nullptr;
    QComboBox* sheetMonth_ = nullptr;
    QComboBox* incomeMonth_ = nullptr;
    QTableWidget* sheet_ = nullptr;
    QTableWidget* income_ = nullptr;
    QLabel* sheetNote_ = nullptr;
    QLabel* incomeNote_ = nullptr;
    QTableWidget* log_ = nullptr;
    QLabel* closedNote_ = nullptr;
    std::vector<book::Voucher> deleted_;  // for 撤销, the last one last
};

}  // namespace kelmora
