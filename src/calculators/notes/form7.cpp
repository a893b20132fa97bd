// Kelmora — goods sold for a note, the note's interest and its collection.
#include "core/window_registry.h"

namespace kelmora::form7 {

void compute(Window& w) {
    const Num face = w.field("Text1"), months = w.field("Text2"), price = w.field("Text3"),
              vat = w.field("Text4"), rate = w.field("Text5");
    w.text("取得票据");
    w.amount("应收票据（借）", face);
    w.amount("主营业务收入（贷）", price);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.blank();
    const Num monthInterest = rate * face / 12;
    w.amount("应收票据（借）", monthInterest);
    w.amount("财务费用（贷）", monthInterest);
    w.blank();
    const Num maturity = face * (rate * months / 12 + 1);
    const Num rest = maturity - monthInterest;
    w.text("据本付息时");
    w.amount("银行存款（借）", maturity);
    w.amount("应收票据（贷）", rest);
    w.amount("财务费用（贷）", monthInterest);
    w.blank();
    w.text("若不带利息");
    w.amount("银行存款（借）", face);
    w.amount("应收票据（贷）", face);
}

WindowDef define() {
    FormBuilder b("Form7");
    b.beginFrame("Frame1", "票据").field("Text1", "票据面值").field("Text2", "期限（月）").field("Text5", "年利率").endFrame();
    b.beginFrame("Frame2", "货物销售").field("Text3", "货款").field("Text4", "增值税").endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form7, define);

}  // namespace kelmora::form7
