#include "core/layout.h"

#include <algorithm>
#include <numeric>

#include "core/app.h"

namespace kelmora {

using Kind = LayoutNode::Kind;

namespace {

// What a box of a kind should show whole: an amount in a labelled box, a
// shorter figure in a grid cell.
constexpr std::string_view kFieldSample = "000000000000";
constexpr std::string_view kCellSample = "000000000";

int sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

}  // namespace

// ---- The estimate ------------------------------------------------------------

int EstimatedMeasure::textWidth(std::string_view s) {
    int width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        // Lead bytes of three- and four-byte sequences are CJK characters and
        // full-width signs; everything shorter is Latin.
        const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        width += len >= 3 ? 13 : 7;
        i += len;
    }
    return width;
}

Size EstimatedMeasure::label(std::string_view text) const { return {textWidth(text), 16}; }
Size EstimatedMeasure::heading(std::string_view text) const {
    const int w = textWidth(text);
    return {w + w / 8, 18};  // bold glyphs run a little wider
}
Size EstimatedMeasure::button(std::string_view caption) const { return {std::max(80, textWidth(caption) + 24), 26}; }
Size EstimatedMeasure::box(std::string_view text) const { return {textWidth(text) + 12, 22}; }
Size EstimatedMeasure::cell(std::string_view text) const { return {textWidth(text) + 12, 19}; }
Margins EstimatedMeasure::frame(std::string_view) const { return {3, 20, 3, 3}; }
int EstimatedMeasure::printedWidth(std::string_view row) const { return textWidth(row); }

// ---- What the band should hold ------------------------------------------------


namespace {
// A sample run shows nothing; a window whose handler fails on a fault of the
// program itself still opens, and says so when the user clicks it.
class SamplePort : public SilentPort {
public:
    void internalError(const Window&, const std::string&) override {}
};
}  // namespace

std::vector<std::string> samplePrinting(const std::string& form) {
    std::vector<std::string> rows;
    std::vector<std::string> buttons;
    {
        SilentPort port;
        App app(port);
        const Window* w = app.window(form);
        if (!w) return rows;
        for (const auto& c : w->def().controls)
            if (c.kind == ControlKind::Button && w->def().handlers.count(c.name) &&
                std::find(buttons.begin(), buttons.end(), c.name) == buttons.end())
                buttons.push_back(c.name);
    }
    for (const auto& button : buttons) {
        SamplePort port;
        App app(port);
        app.open(form);
        Window& w = *app.window(form);
        for (const auto& c : w.def().controls)
            if (c.kind == ControlKind::TextBox && w.textOf(c.name).empty()) w.typeText(c.name, "2");
        app.click(w, button);
        if (!w.visible()) continue;  // an exit button
        for (auto& row : w.surface().rows()) rows.push_back(std::move(row));
    }
    return rows;
}

// ---- The layout pass ------------------------------------------------------------

// What the items of one column share: one label width, so that the boxes line
// up inside and outside its frames, and one width for the buttons of its
// choices.
struct WindowLayout::Scope {
    int labelW = 0;
    int depth = 0;  // how deep its frames nest
    int choiceW = 0;
    int boxX(int x) const;  // where its boxes start, for a column starting at x
    int inset = 0, spacing = 0;
};

int WindowLayout::Scope::boxX(int x) const { return x + depth * inset + (labelW > 0 ? labelW + spacing : 0); }

WindowLayout::Scope WindowLayout::scopeOf(const LayoutNode& stack) const {
    Scope s;
    s.inset = inset_;
    s.spacing = s_;
    int pairedGridW = 0;  // the first column of two-column grids
    const auto walk = [&](auto&& self, const LayoutNode& n, int depth) -> void {
        for (const auto& c : n.children) {
            switch (c.kind) {
            case Kind::Frame:
                s.depth = std::max(s.depth, depth + 1);
                self(self, c, depth + 1);
                break;
            case Kind::Field:
                if (c.controls[0] >= 0) s.labelW = std::max(s.labelW, m_.label(def_.controls[c.controls[0]].text).w);
                break;
            case Kind::Choice:
                s.choiceW = std::max(s.choiceW, m_.button(def_.controls[c.controls[0]].text).w);
                break;
            case Kind::Grid:
                if (c.columns == 2) pairedGridW = std::max(pairedGridW, gridColumnWidths(c).front());
                break;
            default:
                break;
            }
        }
    };
    walk(walk, stack, 0);
    // A two-column grid among labelled boxes puts its second column under
    // the boxes and its first under the labels, which make room for it.
    if (s.labelW > 0) s.labelW = std::max(s.labelW, pairedGridW);
    return s;
}

int WindowLayout::boxNeed(int control) const {
    return std::max(m_.box(kFieldSample).w, m_.box(def_.controls[control].text).w);
}

std::vector<int> WindowLayout::gridColumnWidths(const LayoutNode& n) const {
    std::vector<int> widths(n.columns, m_.box(kCellSample).w);
    for (std::size_t i = 0; i < n.controls.size(); ++i)
        widths[i % n.columns] = std::max(widths[i % n.columns], m_.box(def_.controls[n.controls[i]].text).w);
    return widths;
}

int WindowLayout::statementCaptionWidth(const LayoutNode& n) const {
    if (n.captionGroup > 0) return groupCaption_.at(n.captionGroup);
    int w = 0;
    for (std::size_t i = 0; i < n.controls.size(); i += n.columns + 1)
        w = std::max(w, m_.cell(def_.controls[n.controls[i]].text).w);
    return w;
}

int WindowLayout::needWidth(const LayoutNode& n, const Scope& s, int depth) const {
    const int insets = 2 * depth * inset_;
    const auto text = [&](int i) -> const std::string& { return def_.controls[n.controls[i]].text; };
    switch (n.kind) {
    case Kind::Heading:
    case Kind::Title:
        return m_.heading(text(0)).w + insets;
    case Kind::Line:
        return m_.label(text(0)).w + insets;
    case Kind::Field:
        return s.boxX(0) + boxNeed(n.controls[1]) + s.depth * inset_;
    case Kind::Buttons: {
        int w = insets + s_ * (static_cast<int>(n.controls.size()) - 1);
        for (std::size_t i = 0; i < n.controls.size(); ++i) w += m_.button(text(i)).w;
        return w;
    }
    case Kind::Choice:
        return insets + s.choiceW + s_ + m_.label(text(1)).w;
    case Kind::Grid: {
        const std::vector<int> cols = gridColumnWidths(n);
        // A two-column grid among labelled boxes: its second column under the boxes.
        if (s.labelW > 0 && n.columns == 2)
            return s.boxX(0) + std::max(cols.back(), m_.box(kFieldSample).w) + s.depth * inset_;
        return insets + sum(cols) + s_ * (n.columns - 1);
    }
    case Kind::Statement:
        return insets + statementCaptionWidth(n) + n.columns * m_.cell(kCellSample).w;
    case Kind::Frame: {
        int w = m_.heading(def_.controls[n.controls[0]].text).w + 2 * (depth + 1) * inset_;
        for (const auto& c : n.children) w = std::max(w, needWidth(c, s, depth + 1));
        return w;
    }
    case Kind::Columns: {
        int w = insets + 3 * s_ * (static_cast<int>(n.children.size()) - 1);
        for (const auto& c : n.children) w += stackWidth(c);
        return w;
    }
    default:
        return 0;
    }
}

int WindowLayout::stackWidth(const LayoutNode& stack) const {
    const Scope s = scopeOf(stack);
    int w = 0;
    for (const auto& c : stack.children) w = std::max(w, needWidth(c, s, 0));
    return w;
}

int WindowLayout::height(const LayoutNode& n) const {
    const auto text = [&](int i) -> const std::string& { return def_.controls[n.controls[i]].text; };
    switch (n.kind) {
    case Kind::Heading:
    case Kind::Title:
        return m_.heading(text(0)).h;
    case Kind::Line:
        return m_.label(text(0)).h;
    case Kind::Field:
    case Kind::BlankRow:
        return rowH_;
    case Kind::Buttons:
        return buttonH_;
    case Kind::Choice:
        return std::max(buttonH_, m_.label(text(1)).h);
    case Kind::Grid: {
        const int rows = static_cast<int>(n.controls.size()) / n.columns;
        return rows * boxH_ + (rows - 1) * v_;
    }
    case Kind::Statement:
        return static_cast<int>(n.controls.size()) / (n.columns + 1) * cellH_;
    case Kind::Gap:
        return s_;
    case Kind::FrameTop:
        return frameTop_;
    case Kind::Frame:
        return frameTop_ + v_ + stackHeight(n) + frameBottom_;
    case Kind::Columns: {
        int h = 0;
        for (const auto& c : n.children) h = std::max(h, stackHeight(c));
        return h;
    }
    case Kind::Stack:
        return stackHeight(n);
    }
    return 0;
}

int WindowLayout::stackHeight(const LayoutNode& stack) const {
    int h = 0;
    for (std::size_t i = 0; i < stack.children.size(); ++i) {
        if (i > 0) h += v_;
        // A button row stands a little apart from the boxes above it.
        if (i > 0 && stack.children[i].kind == Kind::Buttons && stack.children[i - 1].kind != Kind::Buttons) h += v_;
        h += height(stack.children[i]);
    }
    return h;
}

void WindowLayout::placeStack(const LayoutNode& stack, int x, int y, int w, std::vector<Rect>& out) const {
    placeItems(stack, scopeOf(stack), 0, x, y, w, out);
}

int WindowLayout::placeItems(const LayoutNode& parent, const Scope& s, int depth, int x, int y, int w,
                             std::vector<Rect>& out) const {
    for (std::size_t i = 0; i < parent.children.size(); ++i) {
        const LayoutNode& n = parent.children[i];
        if (i > 0) y += v_;
        if (i > 0 && n.kind == Kind::Buttons && parent.children[i - 1].kind != Kind::Buttons) y += v_;
        if (n.kind == Kind::Title) {
            // Centred over the item after it.
            const int left = x + depth * inset_, right = x + w - depth * inset_;
            int span = right - left;
            if (i + 1 < parent.children.size()) span = std::min(span, needWidth(parent.children[i + 1], s, depth));
            const Size t = m_.heading(def_.controls[n.controls[0]].text);
            out[n.controls[0]] = {left + std::max(0, (span - t.w) / 2), y, std::min(t.w, span), t.h};
        } else if (n.kind == Kind::Buttons) {
            // Rows of buttons one under the other line up with the fullest.
            std::size_t first = i, last = i;
            while (first > 0 && parent.children[first - 1].kind == Kind::Buttons) --first;
            while (last + 1 < parent.children.size() && parent.children[last + 1].kind == Kind::Buttons) ++last;
            const LayoutNode* widest = &n;
            for (std::size_t k = first; k <= last; ++k)
                if (parent.children[k].controls.size() > widest->controls.size()) widest = &parent.children[k];
            placeButtons(n, widest, x + depth * inset_, x + w - depth * inset_, y, out);
        } else {
            placeItem(n, s, depth, x, y, w, out);
        }
        y += height(n);
    }
    return y;
}

void WindowLayout::placeButtons(const LayoutNode& n, const LayoutNode* widest, int left, int right, int y,
                                std::vector<Rect>& out) const {
    if (widest != &n && widest->controls.size() > n.controls.size()) {
        // A row with fewer buttons than the rows around it: its buttons take
        // the places and widths of the first buttons of the fullest row, so
        // that the rows form a grid.
        std::vector<Rect> slots(def_.controls.size());
        placeButtons(*widest, widest, left, right, y, slots);
        for (std::size_t i = 0; i < n.controls.size(); ++i) {
            const Rect& slot = slots[widest->controls[i]];
            out[n.controls[i]] = {slot.x, y, std::max(slot.w, m_.button(def_.controls[n.controls[i]].text).w), buttonH_};
        }
        return;
    }
    // The buttons share the column's width; one whose caption needs more
    // than its share takes what it needs.
    const auto text = [&](int i) -> const std::string& { return def_.controls[n.controls[i]].text; };
    const int count = static_cast<int>(n.controls.size());
    std::vector<int> need(count);
    for (int i = 0; i < count; ++i) need[i] = m_.button(text(i)).w;
    std::vector<bool> fixed(count, false);
    int room = right - left - s_ * (count - 1);
    // A row far narrower than its column keeps its buttons' own widths
    // rather than stretching them into bars.
    if (room > 3 * sum(need)) room = sum(need);
    for (bool changed = true; changed;) {
        changed = false;
        int free = 0, share = room;
        for (int i = 0; i < count; ++i) free += fixed[i] ? 0 : 1;
        for (int i = 0; i < count; ++i) share -= fixed[i] ? need[i] : 0;
        if (free == 0) break;
        share /= free;
        for (int i = 0; i < count; ++i)
            if (!fixed[i] && need[i] > share) fixed[i] = changed = true;
    }
    int free = 0, rest = room;
    for (int i = 0; i < count; ++i) {
        if (fixed[i]) rest -= need[i];
        else ++free;
    }
    int bx = left, filled = 0;
    for (int i = 0; i < count; ++i) {
        int bw = need[i];
        if (!fixed[i]) {
            bw = rest / free;
            if (++filled == free) bw = rest - (free - 1) * (rest / free);  // the last takes the odd pixels
        }
        out[n.controls[i]] = {bx, y, bw, buttonH_};
        bx += bw + s_;
    }
}

void WindowLayout::placeItem(const LayoutNode& n, const Scope& s, int depth, int x, int y, int w,
                             std::vector<Rect>& out) const {
    const int left = x + depth * inset_, right = x + w - depth * inset_;
    const int boxX = s.boxX(x), boxRight = x + w - s.depth * inset_;
    const auto text = [&](int i) -> const std::string& { return def_.controls[n.controls[i]].text; };
    switch (n.kind) {
    case Kind::Heading:
        out[n.controls[0]] = {left, y, std::min(m_.heading(text(0)).w, right - left), m_.heading(text(0)).h};
        break;
    case Kind::Line:
        out[n.controls[0]] = {left, y, std::min(m_.label(text(0)).w, right - left), m_.label(text(0)).h};
        break;
    case Kind::Field: {
        if (n.controls[0] >= 0) {
            const int h = m_.label(text(0)).h;
            out[n.controls[0]] = {left, y + (rowH_ - h) / 2, boxX - s_ - left, h};
        }
        out[n.controls[1]] = {boxX, y + (rowH_ - boxH_) / 2, boxRight - boxX, boxH_};
        break;
    }
    case Kind::Buttons:
        placeButtons(n, &n, left, right, y, out);
        break;
    case Kind::Choice: {
        out[n.controls[0]] = {left, y, s.choiceW, buttonH_};
        const Size l = m_.label(text(1));
        out[n.controls[1]] = {left + s.choiceW + s_, y + (buttonH_ - l.h) / 2, l.w, l.h};
        break;
    }
    case Kind::Grid: {
        std::vector<int> cols = gridColumnWidths(n);
        std::vector<int> colX(n.columns);
        if (s.labelW > 0 && n.columns == 2) {
            cols.back() = boxRight - boxX;
            colX.back() = boxX;
            for (int c = n.columns - 2; c >= 0; --c) colX[c] = colX[c + 1] - s_ - cols[c];
        } else {
            for (int c = 0, cx = left; c < n.columns; cx += cols[c] + s_, ++c) colX[c] = cx;
        }
        for (std::size_t i = 0; i < n.controls.size(); ++i) {
            const int row = static_cast<int>(i) / n.columns, col = static_cast<int>(i) % n.columns;
            out[n.controls[i]] = {colX[col], y + row * (boxH_ + v_), cols[col], boxH_};
        }
        break;
    }
    case Kind::Statement: {
        const int captionW = statementCaptionWidth(n), cellW = m_.cell(kCellSample).w;
        for (std::size_t i = 0; i < n.controls.size(); ++i) {
            const int row = static_cast<int>(i) / (n.columns + 1), col = static_cast<int>(i) % (n.columns + 1);
            out[n.controls[i]] = {col == 0 ? left : left + captionW + (col - 1) * cellW, y + row * cellH_,
                                  col == 0 ? captionW : cellW, cellH_};
        }
        break;
    }
    case Kind::Frame: {
        out[n.controls[0]] = {left, y, right - left, height(n)};
        placeItems(n, s, depth + 1, x, y + frameTop_ + v_, w, out);
        break;
    }
    case Kind::Columns: {
        int cx = left;
        for (const auto& c : n.children) {
            const int cw = stackWidth(c);
            placeStack(c, cx, y, cw, out);
            cx += cw + 3 * s_;
        }
        break;
    }
    default:
        break;
    }
}

WindowLayout::WindowLayout(const WindowDef& def, const TextMeasure& m, const std::vector<std::string>& sample,
                           Size screen)
    : def_(def), m_(m) {
    s_ = std::max(4, m.spacing());
    v_ = std::max(2, s_ / 2);
    margin_ = 2 * s_;
    const Margins f = m.frame("");
    inset_ = f.left + s_;
    frameTop_ = f.top;
    frameBottom_ = f.bottom + s_;
    boxH_ = m.box(kFieldSample).h;
    cellH_ = m.cell(kCellSample).h;
    buttonH_ = m.button("确定").h;
    rowH_ = std::max(boxH_, m.label("确定").h);

    // Statement grids of one group share the widest caption of them all.
    const auto groups = [&](auto&& self, const LayoutNode& n) -> void {
        if (n.kind == Kind::Statement && n.captionGroup > 0) {
            int& w = groupCaption_[n.captionGroup];
            for (std::size_t i = 0; i < n.controls.size(); i += n.columns + 1)
                w = std::max(w, m.cell(def.controls[n.controls[i]].text).w);
        }
        for (const auto& c : n.children) self(self, c);
    };
    groups(groups, def.area);
    groups(groups, def.lowerLeft);

    area_ = {stackWidth(def.area), stackHeight(def.area)};
    lowerLeft_ = {stackWidth(def.lowerLeft), stackHeight(def.lowerLeft)};
    findPinned();
    const int line = m.printedLine();
    const int below = lowerLeft_.h > 0 ? s_ + lowerLeft_.h + margin_ : 0;  // under the band
    const int contentW = margin_ + area_.w + margin_;
    // However small the window, the pinned buttons show whole, with a little
    // of the control area above them.
    const Size pinnedRoom{std::max(pinNaturalW_, 10 * m.printedWidth("汉")) + 2 * margin_,
                          pinBlock_.h + 2 * margin_ + 3 * rowH_};

    if (!def.prints) {
        minimum_ = preferred_ = {contentW, margin_ + area_.h + margin_};
        smallest_ = {std::min(minimum_.w, pinnedRoom.w), std::min(minimum_.h, pinnedRoom.h)};
        return;
    }
    const int wide = m.printedWidth("汉");
    int widest = 0, widestAmount = 0;
    for (const auto& row : sample) {
        const int w = m.printedWidth(row);
        widest = std::max(widest, w);
        // An amount line ends in its number text: digits and one space.
        if (row.size() >= 2 && row.back() == ' ' && row[row.size() - 2] >= '0' && row[row.size() - 2] <= '9')
            widestAmount = std::max(widestAmount, w);
    }
    // The band is at least wide enough for a row's account and amount (up
    // to a long one's worth), and for the group below it.
    const int chrome = m.bandChrome();
    minBandW_ = std::max({8 * wide, std::min(widestAmount, 28 * wide) + chrome + s_, lowerLeft_.w + margin_});
    const int minBandH = 4 * line;
    minimum_ = {minBandW_ + contentW, std::max(margin_ + area_.h + margin_, minBandH + below)};
    smallest_ = {std::min(minimum_.w, minBandW_ + pinnedRoom.w),
                 std::min(minimum_.h, std::max(minBandH + below, pinnedRoom.h))};

    int bandW = std::max({def.bandChars * wide, widest + chrome + s_, minBandW_});
    bandW = std::min(bandW, screen.w - contentW);
    const int bandH = std::max(static_cast<int>(sample.size()), def.bandLines) * line + line / 2;
    preferred_ = {std::max(minimum_.w, bandW + contentW), std::max(minimum_.h, std::min(bandH + below, screen.h))};
}

void WindowLayout::findPinned() {
    const std::size_t n = def_.controls.size();
    inArea_.assign(n, false);
    pinned_.assign(n, false);
    const auto mark = [&](auto&& self, const LayoutNode& node) -> void {
        for (int c : node.controls)
            if (c >= 0) inArea_[c] = true;
        for (const auto& child : node.children) self(self, child);
    };
    mark(mark, def_.area);
    // The button rows that close the area, or that close its last column.
    std::vector<const LayoutNode*> rows;
    const LayoutNode* stack = &def_.area;
    if (!stack->children.empty() && stack->children.back().kind == Kind::Columns &&
        !stack->children.back().children.empty())
        stack = &stack->children.back().children.back();
    for (auto it = stack->children.rbegin(); it != stack->children.rend() && it->kind == Kind::Buttons; ++it)
        rows.push_back(&*it);
    std::vector<Rect> placed(n);
    placeStack(def_.area, 0, 0, area_.w, placed);
    bool any = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    for (const LayoutNode* row : rows)
        for (int c : row->controls) {
            pinned_[c] = true;
            const Rect& r = placed[c];
            if (!any) {
                left = r.x, top = r.y, right = r.right(), bottom = r.bottom();
                any = true;
            }
            left = std::min(left, r.x), top = std::min(top, r.y);
            right = std::max(right, r.right()), bottom = std::max(bottom, r.bottom());
        }
    pinBlock_ = any ? Rect{left, top, right - left, bottom - top} : Rect{};
    pinnedRows_.assign(rows.rbegin(), rows.rend());
    pinnedRowY_.clear();
    pinNaturalW_ = 0;
    for (const LayoutNode* row : pinnedRows_) {
        pinnedRowY_.push_back(placed[row->controls[0]].y - top);
        int w = s_ * (static_cast<int>(row->controls.size()) - 1);
        for (int c : row->controls) w += m_.button(def_.controls[c].text).w;
        pinNaturalW_ = std::max(pinNaturalW_, w);
    }
    // How tall the rest of the area is.
    int rest = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (inArea_[i] && !pinned_[i]) rest = std::max(rest, placed[i].bottom());
    contentH_ = margin_ + rest + margin_;
}

Geometry WindowLayout::at(Size client) const {
    client.w = std::max(client.w, smallest_.w);
    client.h = std::max(client.h, smallest_.h);
    const bool fits = client.w >= minimum_.w && client.h >= minimum_.h;
    const std::size_t n = def_.controls.size();
    Geometry g;
    g.rects.resize(n);
    g.scrolled.resize(n);
    for (std::size_t i = 0; i < n; ++i) g.scrolled[i] = inArea_[i] && !pinned_[i];
    const int contentW = margin_ + area_.w + margin_;
    g.content = {contentW, contentH_};

    // The area in the scrolling part's own terms first.
    std::vector<Rect> area(n);
    placeStack(def_.area, margin_, margin_, area_.w, area);
    const int viewX = def_.prints ? std::max(minBandW_, client.w - contentW) : 0;
    g.view = {viewX, 0, client.w - viewX, client.h};
    if (!fits && !pinBlock_.empty()) {
        // The closing buttons below the scrolling part, at the right, each
        // as wide as its caption asks (rows of them still line up).
        const int pinY = client.h - margin_ - pinBlock_.h;
        g.view.h = pinY - s_;
        const int w = std::min(pinBlock_.w, std::max(pinNaturalW_, client.w - viewX - 2 * margin_));
        const int left = std::max(viewX + margin_, client.w - margin_ - w);
        const LayoutNode* widest = pinnedRows_.front();
        for (const LayoutNode* row : pinnedRows_)
            if (row->controls.size() > widest->controls.size()) widest = row;
        for (std::size_t k = 0; k < pinnedRows_.size(); ++k)
            placeButtons(*pinnedRows_[k], widest, left, left + w, pinY + pinnedRowY_[k], area);
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!inArea_[i]) continue;
        Rect r = area[i];
        if (!pinned_[i] || fits || pinBlock_.empty()) r.x += viewX;
        g.rects[i] = r;
    }
    if (!def_.prints) return g;
    int bandH = client.h;
    if (lowerLeft_.h > 0) {
        const int llY = client.h - margin_ - lowerLeft_.h;
        placeStack(def_.lowerLeft, margin_, llY, lowerLeft_.w, g.rects);
        bandH = llY - s_;
    }
    g.band = {0, 0, viewX, bandH};
    return g;
}

}  // namespace kelmora
