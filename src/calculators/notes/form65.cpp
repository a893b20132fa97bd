// Kelmora — a note discounted at a monthly rate, an overdue amount turned into
// a loan, and a deposited note discounted at the bank.
#include "calculators/notes/notes.h"
#include "core/window_registry.h"

namespace kelmora::form65 {

void compute(Window& w) {
    const Num face1 = w.field("Text1"), monthlyRate = w.field("Text2"), days1 = w.field("Text3"),
              loan = w.field("Text4"), face2 = w.field("Text5"), noteRate = w.field("Text6"),
              days2 = w.field("Text7"), discountRate = w.field("Text8"), term = w.field("Text9");
    const Num discount1 = monthlyRate * face1 * days1 / 30;
    const Num proceeds1 = face1 - discount1;
    if (face1 > 0 && monthlyRate > 0 && days1 > 0) {
        w.text("票据贴现");
        w.amount("银行存款（借）", proceeds1);
        w.amount("财务费用（借）", discount1);
        w.amount("应收票据（贷）", face1);
    }
    if (loan > 0) {
        w.text("逾期贷款");
        w.amount("应收账款（借）", loan);
        w.amount("短期借款（贷）", loan);
    }
    const Num maturity = notes::maturityValue(face2, noteRate, term);
    const Num discount2 = notes::bankDiscount(maturity, discountRate, days2);
    const Num proceeds2 = maturity - discount2;
    const Num difference = proceeds2 - face2;
    // The term is not part of the guard: a note without one simply matures at
    // its face.
    if (face2 > 0 && noteRate > 0 && days2 > 0 && discountRate > 0) {
        w.text("票据存取贴现");
        w.amount("银行存款（借）", proceeds2);
        w.amount("应收票据（贷）", face2);
        // Proceeds below the face show as a negative credit.
        w.amount("财务费用（贷）", difference);
    }
}

WindowDef define() {
    FormBuilder b("Form65");
    b.heading("票据贴现").field("Text1", "票面金额").field("Text2", "月贴现率").field("Text3", "贴现期限（天）");
    b.heading("逾期贷款").field("Text4", "短期借款");
    b.heading("票据存取贴现")
        .field("Text5", "票据面额")
        .field("Text6", "年利率")
        .field("Text9", "贴现期限(天)")
        .field("Text7", "存期（天）")
        .field("Text8", "贴现利率");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form65, define);

}  // namespace kelmora::form65
