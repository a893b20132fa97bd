// Kelmora — a note issued to pay for materials, and its settlement at maturity.
#include "core/window_registry.h"

namespace kelmora::form64 {

void compute(Window& w) {
    const Num face = w.field("Text1"), months = w.field("Text2"), price = w.field("Text3"),
              vat = w.field("Text4"), rate = w.field("Text5"), fee = w.field("Text6");
    w.text("支付手续费");
    w.amount("财务费用（借）", fee);
    w.amount("银行存款（贷）", fee);
    w.blank();
    w.text("支付汇票");
    w.amount("在途物资（借）", price);
    w.amount("应交税费-应交增值税（进）（借）", vat);
    w.amount("应付票据（贷）", vat + price);
    w.blank();
    w.text("原材料入库");
    w.amount("原材料（借）", price);
    w.amount("在途物资（贷）", price);
    w.blank();
    const Num interest = rate * face * months / 12;
    const Num total = face + interest;
    w.text("到期支付本息");
    w.amount("应付票据（借）", face);
    w.amount("财务费用-利息费用（借）", interest);
    w.amount("银行存款（贷）", total);
    w.blank();
    w.text("若为不带息票据");
    w.amount("应付票据（借）", face);
    w.amount("银行存款（贷）", face);
    w.blank();
    w.text("若无力支付（无息）");
    w.amount("应付票据（借）", face);
    w.amount("短期借款（贷）", face);
    w.blank();
    w.text("若无力支付（商业带息）");
    w.amount("应付票据（借）", face);
    w.amount("财务费用（借）", interest);
    w.amount("应付账款（贷）", total);
    w.blank();
    w.text("若无力支付（银行带息）");
    w.amount("应付票据（借）", face);
    w.amount("财务费用（借）", interest);
    w.amount("短期借款（贷）", total);
}

WindowDef define() {
    FormBuilder b("Form64");
    b.beginFrame("Frame1", "财务费用")
        .field("Text1", "票据面值")
        .field("Text2", "票据期限（月）")
        .field("Text5", "年利率")
        .endFrame();
    b.field("Text3", "货款").field("Text4", "增值税").field("Text6", "手续费");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form64, define);

}  // namespace kelmora::form64
