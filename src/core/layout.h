// Kelmora — where a window's controls and its printing band stand.
//
// A window description says how its controls are arranged (core/window_def.h);
// this pass turns that into rectangles for one font.  The view measures text
// with its toolkit, the runner and tests with an estimate, through
// TextMeasure; nothing here knows a toolkit.
//
// The window is the printing band at the top left (where rows are printed,
// clear of every control), the control area at its right and, in some
// windows, a lower-left group below the band.  Resizing gives the band the
// room: the control area keeps to the right edge, the lower-left group to the
// bottom edge.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/window_def.h"

namespace kelmora {

struct Size {
    int w = 0, h = 0;
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool empty() const { return w <= 0 || h <= 0; }
    bool intersects(const Rect& o) const { return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom(); }
    bool contains(const Rect& o) const { return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom(); }
};

struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// How big text and controls come out in the font a window is shown in.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual Size label(std::string_view text) const = 0;
    virtual Size heading(std::string_view text) const = 0;
    virtual Size button(std::string_view caption) const = 0;
    virtual Size box(std::string_view text) const = 0;  // a text box showing text whole
    // A box of a statement grid: rows abut like a ledger's, so the box is no
    // taller than its text and frame need.
    virtual Size cell(std::string_view text) const = 0;
    virtual Margins frame(std::string_view caption) const = 0;  // the room a frame takes around its content
    virtual int printedLine() const = 0;                        // one printed row, top to top
    virtual int printedWidth(std::string_view row) const = 0;
    virtual int spacing() const = 0;  // between neighbouring controls
    // What the band takes beside its rows: their margin from its edges and
    // a scroll bar.
    virtual int bandChrome() const { return 0; }
};

// An estimate from character counts, like a 9-point CJK font: for the runner
// and for tests, which have no fonts.
class EstimatedMeasure : public TextMeasure {
public:
    Size label(std::string_view text) const override;
    Size heading(std::string_view text) const override;
    Size button(std::string_view caption) const override;
    Size box(std::string_view text) const override;
    Size cell(std::string_view text) const override;
    Margins frame(std::string_view caption) const override;
    int printedLine() const override { return 16; }
    int printedWidth(std::string_view row) const override;
    int spacing() const override { return 6; }

    static int textWidth(std::string_view utf8);  // wide CJK characters, narrow Latin ones
};

// What the window's buttons print, one click each on a window of its own,
// with a small figure in every empty box: the rows the band should have room
// for.
std::vector<std::string> samplePrinting(const std::string& form);

// Where everything stands.  The control area is a part of its own, `view`,
// which scrolls when the client area is too small for it; the button rows
// that close it then stand below it, pinned, so that they are always in
// view, and the band keeps the width of a row's account and amount.
struct Geometry {
    // Per control of the description, in the window's client area as it
    // stands with the control area scrolled to its start.
    std::vector<Rect> rects;
    std::vector<bool> scrolled;  // per control: it stands in the part that scrolls
    Rect band;                   // the printing band; empty for a window that prints nothing
    Rect view;                   // where the scrolling part shows in the client area
    Size content;                // the scrolling part's whole size
};

class WindowLayout {
public:
    // `sample` is what the band should hold at opening (samplePrinting);
    // `screen` the room a window's client area may take on the screen.
    WindowLayout(const WindowDef& def, const TextMeasure& m, const std::vector<std::string>& sample, Size screen);

    Size preferred() const { return preferred_; }  // the size a window opens at
    Size minimum() const { return minimum_; }      // the smallest that shows every control without scrolling
    Size smallest() const { return smallest_; }    // the smallest at which the pinned buttons and the band still show
    Geometry at(Size client) const;                // everything placed in a client area of that size

private:
    struct Scope;
    Scope scopeOf(const LayoutNode& stack) const;
    int needWidth(const LayoutNode& n, const Scope& s, int depth) const;
    int height(const LayoutNode& n) const;
    int stackWidth(const LayoutNode& stack) const;
    int stackHeight(const LayoutNode& stack) const;
    void placeStack(const LayoutNode& stack, int x, int y, int w, std::vector<Rect>& out) const;
    int placeItems(const LayoutNode& parent, const Scope& s, int depth, int x, int y, int w,
                   std::vector<Rect>& out) const;
    void placeItem(const LayoutNode& n, const Scope& s, int depth, int x, int y, int w, std::vector<Rect>& out) const;
    int statementCaptionWidth(const LayoutNode& n) const;
    std::vector<int> gridColumnWidths(const LayoutNode& n) const;
    int boxNeed(int control) const;
    void placeButtons(const LayoutNode& n, const LayoutNode* widest, int left, int right, int y,
                      std::vector<Rect>& out) const;
    void findPinned();

    const WindowDef& def_;
    const TextMeasure& m_;
    int s_ = 6, v_ = 3, margin_ = 12;
    int inset_ = 0, frameTop_ = 0, frameBottom_ = 0;
    int rowH_ = 0, boxH_ = 0, cellH_ = 0, buttonH_ = 0;
    std::unordered_map<int, int> groupCaption_;  // statement caption width by group
    Size area_, lowerLeft_;
    Size preferred_, minimum_, smallest_;
    int minBandW_ = 0;
    // The control area placed at (0, 0): the button rows that close it
    // (pinned when the area scrolls) and the height of everything else.
    std::vector<bool> inArea_, pinned_;
    Rect pinBlock_;
    std::vector<const LayoutNode*> pinnedRows_;  // top to bottom
    std::vector<int> pinnedRowY_;                // each one's top within the block
    int pinNaturalW_ = 0;                        // the block with its buttons at their own widths
    int contentH_ = 0;
};

}  // namespace kelmora
