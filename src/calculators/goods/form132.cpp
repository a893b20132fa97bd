// Kelmora — a short-term loan (term in quarters) and a long-term loan (term
// in years) side by side, each printed only when its principal is given.
#include "core/window_registry.h"
#include "calculators/goods/accounts.h"

namespace kelmora::form132 {

void compute(Window& w) {
    const Num shortPrincipal = w.field("Text1"), shortRate = w.field("Text2"), quarters = w.field("Text3"),
              longPrincipal = w.field("Text4"), longRate = w.field("Text5"), years = w.field("Text6");
    if (shortPrincipal > 0) accounts::shortTermLoan(w, shortPrincipal, shortRate, quarters, 3);
    if (longPrincipal > 0) {
        w.text("取得借款");
        w.amount("银行存款（借）", longPrincipal);
        w.amount("长期借款（贷）", longPrincipal);
        w.blank();
        w.text("年末计息");
        const Num yearly = longRate * longPrincipal;
        w.amount("财务费用-利息费（借）", yearly);
        w.amount("应付利息（贷）", yearly);
        w.blank();
        w.text("偿还利息");
        const Num paid = longRate * longPrincipal * years;
        w.amount("应付利息（借）", paid);
        w.amount("银行存款（贷）", paid);
        w.blank();
        w.text("最后一年还本付息");
        w.amount("长期借款", longPrincipal);
        w.amount("应付利息", yearly);
        const Num finalPayment = longPrincipal + yearly;
        w.amount("银行存款", finalPayment);
    }
}

// A caption and its box on one row of a narrow column.
void row(FormBuilder& b, const char* labelName, const char* caption, const char* box) {
    constexpr int kCaptionWidth = 96;
    b.label(labelName, caption, kCaptionWidth);
    b.place({box, -1, ControlKind::TextBox, {},
             {b.x() + kCaptionWidth + 4, b.y() - layout::kRowStep, layout::kBoxWidth, layout::kBoxHeight}});
}

WindowDef define() {
    FormBuilder b("Form132");
    // Two columns under the members of the heading array Label7: the
    // short-term loan at the right (index 0), the long-term loan at the left
    // (index 1).  Text boxes come in their number order.
    constexpr int kLeft = layout::kSurfaceWidth, kRight = kLeft + 240;
    const int top = b.y();
    b.place({"Label7", 0, ControlKind::Heading, "短期长期借款", {kRight, top, 220, 20}});
    b.at(kRight, top + layout::kHeadingStep);
    row(b, "Label1", "银行借款", "Text1");
    row(b, "Label2", "年利率", "Text2");
    row(b, "Label3", "期限（季）", "Text3");
    b.place({"Label7", 1, ControlKind::Heading, "长期借款", {kLeft, top, 220, 20}});
    b.at(kLeft, top + layout::kHeadingStep);
    row(b, "Label4", "银行借款", "Text4");
    row(b, "Label5", "年利率", "Text5");
    row(b, "Label6", "期限（年）", "Text6");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form132, define);

}  // namespace kelmora::form132
