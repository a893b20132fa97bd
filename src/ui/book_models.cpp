#include "ui/book_models.h"

#include <QColor>
#include <QFont>
#include <algorithm>

namespace kelmora {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString money(book::Cents c) { return q(book::yuan(c)); }
const QVariant kRight = QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
}  // namespace

VoucherRows::VoucherRows(std::function<const book::Journal&()> journal, QObject* parent)
    : QAbstractTableModel(parent), journal_(std::move(journal)) {
    reload();
}

void VoucherRows::reload() {
    beginResetModel();
    rows_.clear();
    const auto& vouchers = journal_().vouchers();
    for (std::size_t v = 0; v < vouchers.size(); ++v) {
        const int n = vouchers[v].number;
        rows_.push_back({static_cast<int>(v), -1, n});
        for (std::size_t l = 0; l < vouchers[v].lines.size(); ++l) rows_.push_back({static_cast<int>(v), static_cast<int>(l), n});
    }
    endResetModel();
}

int VoucherRows::voucherAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return 0;
    return rows_[static_cast<std::size_t>(row)].number;
}

int VoucherRows::rowOf(int number) const {
    const auto& vouchers = journal_().vouchers();
    const auto it = std::lower_bound(vouchers.begin(), vouchers.end(), number,
                                     [](const book::Voucher& v, int n) { return v.number < n; });
    if (it == vouchers.end() || it->number != number) return -1;
    const int v = static_cast<int>(it - vouchers.begin());
    const auto row = std::lower_bound(rows_.begin(), rows_.end(), v, [](const Row& r, int k) { return r.voucher < k; });
    return static_cast<int>(row - rows_.begin());
}

int VoucherRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}
int VoucherRows::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant VoucherRows::headerData(int section, Qt::Orientation o, int role) const {
    static const QStringList kHeads{QStringLiteral("凭证号"), QStringLiteral("日期"), QStringLiteral("摘要／科目"),
                                    QStringLiteral("借方"), QStringLiteral("贷方")};
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return kHeads.value(section);
    return {};
}

QVariant VoucherRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const Row& r = rows_[static_cast<std::size_t>(index.row())];
    // Until the rows are made again, they may outlive the journal they were read from.
    const auto& vouchers = journal_().vouchers();
    if (static_cast<std::size_t>(r.voucher) >= vouchers.size()) return {};
    const book::Voucher& v = vouchers[static_cast<std::size_t>(r.voucher)];
    if (v.number != r.number || r.line >= static_cast<int>(v.lines.size())) return {};
    const int c = index.column();
    if (role == Qt::TextAlignmentRole) return c >= 3 ? kRight : QVariant();
    // A red reversal's figures in red; a voucher of a closed month in grey.
    if (role == Qt::ForegroundRole) {
        if (v.reverses != 0 && c >= 3) return QColor(0xc0, 0, 0);
        if (journal_().locked(v.date)) return QColor(0x60, 0x60, 0x60);
        return {};
    }
    if (role == Qt::ToolTipRole && r.line < 0) {
        QStringList says;
        if (journal_().locked(v.date)) says << QStringLiteral("所在月份已结账：不能删除，可以冲销。");
        if (v.reverses != 0) says << QStringLiteral("红字冲销 %1。").arg(q(book::voucherName(v.reverses)));
        if (const int by = journal_().reversalOf(v.number)) says << QStringLiteral("已由 %1 冲销。").arg(q(book::voucherName(by)));
        if (!v.closes.empty()) says << QStringLiteral("%1 结账时记入。").arg(q(v.closes));
        return says.isEmpty() ? QVariant() : QVariant(says.join(QChar('\n')));
    }
    if (role == Qt::FontRole && r.line < 0) {
        QFont f;
        f.setBold(true);
        return f;
    }
    if (role != Qt::DisplayRole) return {};
    if (r.line < 0) {
        book::Cents debit = 0, credit = 0;
        for (const book::Line& l : v.lines) (l.side == book::Side::Debit ? debit : credit) += l.amount;
        switch (c) {
        case 0: return q(book::voucherName(v.number));
        case 1: return q(v.date);
        case 2: return q(v.summary);
        case 3: return money(debit);
        default: return money(credit);
        }
    }
    const book::Line& l = v.lines[static_cast<std::size_t>(r.line)];
    const bool d = l.side == book::Side::Debit;
    switch (c) {
    case 2: return (d ? QStringLiteral("　") : QStringLiteral("　　　")) + q(l.account);  // credits stand further in
    case 3: return d ? money(l.amount) : QString();
    case 4: return d ? QString() : money(l.amount);
    default: return QString();
    }
}

void LedgerRows::show(std::vector<book::LedgerRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int LedgerRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}
int LedgerRows::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 7; }

QVariant LedgerRows::headerData(int section, Qt::Orientation o, int role) const {
    static const QStringList kHeads{QStringLiteral("凭证号"), QStringLiteral("日期"), QStringLiteral("摘要"),
                                    QStringLiteral("借方"),   QStringLiteral("贷方"), QStringLiteral("借或贷"),
                                    QStringLiteral("余额")};
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return kHeads.value(section);
    return {};
}

QVariant LedgerRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const book::LedgerRow& r = rows_[static_cast<std::size_t>(index.row())];
    const int c = index.column();
    if (role == Qt::TextAlignmentRole) return c == 3 || c == 4 || c == 6 ? kRight : QVariant();
    if (role != Qt::DisplayRole) return {};
    switch (c) {
    case 0: return r.voucher == 0 ? QStringLiteral("期初") : q(book::voucherName(r.voucher));
    case 1: return q(r.date);
    case 2: return q(r.summary);
    case 3: return r.side == book::Side::Debit ? money(r.amount) : QString();
    case 4: return r.side == book::Side::Credit ? money(r.amount) : QString();
    case 5: return q(r.balance.word());
    default: return money(r.balance.magnitude());
    }
}

}  // namespace kelmora
