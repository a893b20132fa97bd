#include "core/surface.h"

namespace kelmora {

void Surface::print(std::string_view s, bool keep, bool continued) {
    if (static_cast<int>(text_.size()) <= row_) text_.resize(row_ + 1);
    if (keep) text_[row_] += s;
    if (continued) {
        midLine_ = true;
    } else {
        ++row_;
        midLine_ = false;
    }
}

void Surface::clear() {
    text_.clear();
    row_ = 0;
    midLine_ = false;
}

void Surface::eraseRows() {
    for (auto& t : text_) t.clear();
}

std::vector<std::string> Surface::rows() const {
    std::vector<std::string> out(text_.begin(), text_.end());
    out.resize(row_ + (midLine_ ? 1 : 0));
    return out;
}

}  // namespace kelmora
