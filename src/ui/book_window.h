// Kelmora — 账簿: the workbook's vouchers, general ledger and trial
// balance; new, open and save-as; CSV, printing and PDF.
#pragma once

#include <QMainWindow>
#include <vector>

#include "book/journal.h"
#include "ui/surface_widget.h"

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

protected:
    void changeEvent(QEvent* e) override;

private:
    BookWindow();
    const book::Journal& journal();
    void fillVouchers();
    void fillAccounts();
    void fillTrial();

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
    std::vector<book::Voucher> deleted_;  // for 撤销, the last one last
};

}  // namespace kelmora
