#include "core/window_def.h"

#include <algorithm>
#include <stdexcept>

#include "core/window.h"

namespace kelmora {

const ControlDef* WindowDef::find(const std::string& controlName) const {
    for (const auto& c : controls)
        if (c.name == controlName) return &c;
    return nullptr;
}

bool WindowDef::isTextBox(const std::string& controlName) const {
    const ControlDef* c = find(controlName);
    return c && c->kind == ControlKind::TextBox;
}

int layout::textWidth(std::string_view s) {
    int width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        // Lead bytes of three- and four-byte sequences are CJK characters and
        // full-width signs; everything shorter is Latin.
        const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        width += len >= 3 ? kWideCharWidth : kNarrowCharWidth;
        i += len;
    }
    return width;
}

using namespace layout;

FormBuilder::FormBuilder(std::string name, std::string caption) {
    def_.caption = caption.empty() ? name : std::move(caption);
    def_.name = std::move(name);
}

std::string FormBuilder::nextLabelName() {
    for (;;) {
        std::string n = "Label" + std::to_string(++labelCounter_);
        if (!def_.find(n)) return n;
    }
}

FormBuilder& FormBuilder::heading(std::string text) { return heading(nextLabelName(), std::move(text)); }

FormBuilder& FormBuilder::heading(std::string name, std::string text) {
    place({std::move(name), -1, ControlKind::Heading, std::move(text), {x_, y_, kLabelWidth + kBoxWidth, 20}});
    y_ += kHeadingStep;
    return *this;
}

FormBuilder& FormBuilder::label(std::string text) { return label(nextLabelName(), std::move(text)); }

FormBuilder& FormBuilder::label(std::string name, std::string text, int width) {
    place({std::move(name), -1, ControlKind::Label, std::move(text),
           {x_, y_ + 3, width > 0 ? width : kLabelWidth + kBoxWidth, 20}});
    y_ += kRowStep;
    return *this;
}

FormBuilder& FormBuilder::field(std::string box, std::string labelText, std::string initial) {
    if (!labelText.empty())
        place({nextLabelName(), -1, ControlKind::Label, std::move(labelText), {x_, y_ + 3, kLabelWidth, 20}});
    place({std::move(box), -1, ControlKind::TextBox, std::move(initial),
           {x_ + kLabelWidth + 4, y_, kBoxWidth, kBoxHeight}});
    y_ += kRowStep;
    return *this;
}

FormBuilder& FormBuilder::arrayField(std::string box, std::string labelName, int index, std::string labelText,
                                     std::string initial) {
    place({std::move(labelName), index, ControlKind::Label, std::move(labelText), {x_, y_ + 3, kLabelWidth, 20}});
    return field(std::move(box), {}, std::move(initial));
}

FormBuilder& FormBuilder::buttons(std::vector<ButtonSpec> row) {
    y_ += 6;
    int bx = x_;
    for (auto& b : row) {
        // A long topical caption widens its button instead of being cut.
        const int width = std::max(kButtonWidth, textWidth(b.caption) + 24);
        place({std::move(b.name), b.index, ControlKind::Button, std::move(b.caption), {bx, y_, width, kButtonHeight}});
        bx += width + 8;
    }
    y_ += kButtonHeight + 8;
    return *this;
}

FormBuilder& FormBuilder::grid(const std::vector<std::vector<GridCell>>& rows, int cellWidth) {
    for (const auto& row : rows) {
        int cx = x_;
        for (const auto& cell : row) {
            place({cell.box, -1, ControlKind::TextBox, cell.initial, {cx, y_, cellWidth, kBoxHeight}});
            cx += cellWidth + kCellGap;
        }
        y_ += kRowStep;
    }
    return *this;
}

FormBuilder& FormBuilder::standardButtons(Handler compute, std::string computeCaption, int computeIndex,
                                          int cancelIndex) {
    buttons({{"Command1", std::move(computeCaption), computeIndex}, {"Command2", "取消", cancelIndex},
             {"Command3", "退出"}});
    on("Command1", std::move(compute));
    on("Command2", cancel);
    on("Command3", exit);
    return *this;
}

FormBuilder& FormBuilder::column(int x) {
    x_ = x;
    y_ = top_;
    return *this;
}

FormBuilder& FormBuilder::at(int x, int y) {
    x_ = x;
    y_ = y;
    return *this;
}

FormBuilder& FormBuilder::skip(int dy) {
    y_ += dy;
    return *this;
}

FormBuilder& FormBuilder::lowerLeft(int printedLines) {
    x_ = kMargin;
    y_ = std::max(y_ + kRowStep, printedLines * kPrintLineHeight + kMargin);
    return *this;
}

FormBuilder& FormBuilder::beginFrame(std::string name, std::string caption) {
    openFrames_.push_back(def_.controls.size());
    def_.controls.push_back({std::move(name), -1, ControlKind::Frame, std::move(caption), {x_ - 6, y_, 0, 0}});
    y_ += 22;  // room for the frame's caption
    x_ += 8;
    return *this;
}

FormBuilder& FormBuilder::endFrame() {
    if (openFrames_.empty()) throw std::logic_error("endFrame without beginFrame");
    const std::size_t at = openFrames_.back();
    openFrames_.pop_back();
    ControlDef& f = def_.controls[at];
    int right = f.rect.x + 40, bottom = f.rect.y + 30;
    for (std::size_t i = at + 1; i < def_.controls.size(); ++i) {
        right = std::max(right, def_.controls[i].rect.right());
        bottom = std::max(bottom, def_.controls[i].rect.bottom());
    }
    f.rect.w = right + 8 - f.rect.x;
    f.rect.h = bottom + 8 - f.rect.y;
    x_ -= 8;
    y_ = f.rect.bottom() + 6;
    return *this;
}

FormBuilder& FormBuilder::place(ControlDef c) {
    def_.controls.push_back(std::move(c));
    return *this;
}

FormBuilder& FormBuilder::on(const std::string& control, Handler h) {
    def_.handlers[control] = std::move(h);
    return *this;
}

FormBuilder& FormBuilder::closeControl(std::string control) {
    def_.closeControl = std::move(control);
    return *this;
}

FormBuilder& FormBuilder::menuBar() {
    def_.hasMenuBar = true;
    return *this;
}

FormBuilder& FormBuilder::minSize(int width, int height) {
    minWidth_ = width;
    minHeight_ = height;
    return *this;
}

WindowDef FormBuilder::build() {
    if (!openFrames_.empty()) throw std::logic_error("unclosed frame in " + def_.name);
    int w = std::max(minWidth_, kSurfaceWidth), h = minHeight_;
    for (const auto& c : def_.controls) {
        w = std::max(w, c.rect.right() + kMargin);
        h = std::max(h, c.rect.bottom() + kMargin);
    }
    def_.width = w;
    def_.height = h;
    return std::move(def_);
}

void FormBuilder::cancel(Window& w) { w.clear(); }

void FormBuilder::exit(Window& w) {
    w.hide();
    w.open("Form1");
}

}  // namespace kelmora
