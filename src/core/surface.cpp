#include "core/surface.h"

#include <stdexcept>

namespace kelmora {

Surface::Span& Surface::current() {
    if (spans_.size() <= static_cast<std::size_t>(row_)) {
        const auto at = static_cast<std::uint32_t>(text_.size());
        spans_.resize(row_ + 1, Span{at, at, -1});
    }
    return spans_[row_];
}

void Surface::write(std::string_view s, Keep keep) {
    Span& span = current();
    if (keep == Keep::Text && !s.empty()) {
        // Only the row at the print position grows, and it is the last one
        // in the buffer.
        if (text_.size() + s.size() > UINT32_MAX) throw std::length_error("surface full");
        text_.append(s);
        span.end = static_cast<std::uint32_t>(text_.size());
    }
    midLine_ = true;
}

void Surface::endLine() {
    current();
    ++row_;
    midLine_ = false;
}

void Surface::writeLine(std::string_view s, Keep keep) {
    write(s, keep);
    endLine();
}

void Surface::writeAmount(std::string_view label, std::string_view amount, Keep keep) {
    write(label, keep);
    if (keep == Keep::Text) {
        Span& span = current();
        span.amount = static_cast<std::int32_t>(span.end - span.begin);
    }
    writeLine(amount, keep);
}

void Surface::clear() {
    text_.clear();
    spans_.clear();
    row_ = 0;
    midLine_ = false;
}

void Surface::eraseRows() {
    text_.clear();
    for (auto& s : spans_) s = Span{};
}

std::string_view Surface::row(std::size_t i) const {
    if (i >= spans_.size()) return {};
    const Span& s = spans_[i];
    return std::string_view(text_).substr(s.begin, s.end - s.begin);
}

std::size_t Surface::amountAt(std::size_t i) const {
    if (i >= spans_.size() || spans_[i].amount < 0) return std::string_view::npos;
    return static_cast<std::size_t>(spans_[i].amount);
}

std::vector<std::string> Surface::rows() const {
    std::vector<std::string> out;
    out.reserve(rowCount());
    for (std::size_t i = 0; i < rowCount(); ++i) out.emplace_back(row(i));
    return out;
}

namespace {
bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}
}  // namespace

std::vector<std::string> journalTable(const Surface& s) {
    static constexpr std::string_view kDebit = "（借）", kCredit = "（贷）";
    std::vector<std::string> out{"科目\t借方\t贷方\t金额"};
    out.reserve(s.rowCount() + 1);
    for (std::size_t i = 0; i < s.rowCount(); ++i) {
        const std::string_view row = s.row(i);
        const std::size_t at = s.amountAt(i);
        if (row.empty()) {
            out.emplace_back();
        } else if (at == std::string_view::npos) {
            out.emplace_back(std::string(row) + "\t\t\t");
        } else {
            std::string_view label = row.substr(0, at);
            const std::string_view amount = trimmed(row.substr(at));
            int column = 3;  // 金额
            if (endsWith(label, kDebit)) {
                column = 1;
                label.remove_suffix(kDebit.size());
            } else if (endsWith(label, kCredit)) {
                column = 2;
                label.remove_suffix(kCredit.size());
            }
            std::string line(label);
            for (int c = 1; c <= 3; ++c) {
                line += '\t';
                if (c == column) line += amount;
            }
            out.push_back(std::move(line));
        }
    }
    return out;
}

}  // namespace kelmora
