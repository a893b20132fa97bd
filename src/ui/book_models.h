// Kelmora — the workbook window's long lists as item models, read from the
// journal only for the rows in view: a workbook of a hundred thousand
// vouchers shows as quickly as one of ten.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "book/journal.h"

namespace kelmora {

// The vouchers, each a row (number, date, 摘要, its debit and credit
// totals) followed by a row per line (account, amount under 借方 or 贷方).
class VoucherRows : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit VoucherRows(std::function<const book::Journal&()> journal, QObject* parent);
    void reload();  // the journal changed
    // The voucher a row belongs to, and the row that heads a voucher (-1).
    int voucherAt(int row) const;
    int rowOf(int number) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    struct Row {
        int voucher;  // index into the journal's vouchers
        int line;     // -1 for the voucher's own row
        int number;   // the voucher's number, known even once the journal has moved on
    };
    std::function<const book::Journal&()> journal_;
    std::vector<Row> rows_;
};

// An account's ledger: opening balance, then a row per posting.
class LedgerRows : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void show(std::vector<book::LedgerRow> rows);
    int voucherAt(int row) const { return rows_.at(static_cast<std::size_t>(row)).voucher; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<book::LedgerRow> rows_;
};

}  // namespace kelmora
