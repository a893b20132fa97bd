// Kelmora — the company's own shares bought back and cancelled.
#include "core/window_registry.h"

namespace kelmora::form145 {

void compute(Window& w) {
    const Num par = w.field("Text1"), premiumBalance = w.field("Text2"), surplusBalance = w.field("Text3"),
              number = w.field("Text4"), price = w.field("Text5");
    const Num paid = price * number;
    w.text("回购股份");
    w.amount("库存股（借）", paid);
    w.amount("银行存款（贷）", paid);
    w.blank();
    w.text("注销股份");
    // What is paid above par comes out of the share premium first, then out
    // of the surplus reserve.  Beyond both the window shows no cancellation.
    const Num parTotal = number * par;
    const Num firstLimit = parTotal + premiumBalance;
    const Num secondLimit = parTotal + premiumBalance + surplusBalance;
    if (paid <= parTotal) {
        w.amount("股本（借）", parTotal);
        w.amount("库存股（贷）", paid);
        w.amount("资本公积-股本溢价（贷）", parTotal - paid);
    } else if (paid <= firstLimit) {
        w.amount("股本（借）", parTotal);
        w.amount("资本公积-股本溢价（借）", paid - parTotal);
        w.amount("库存股（贷）", paid);
    } else if (paid <= secondLimit) {
        w.amount("股本（借）", parTotal);
        w.amount("资本公积-股本溢价（借）", premiumBalance);
        w.amount("盈余公积（借）", (paid - parTotal) - premiumBalance);
        w.amount("库存股（贷）", paid);
    }
}

WindowDef define() {
    FormBuilder b("Form145");
    b.field("Text1", "股本单价")
        .field("Text2", "资本公积（股本溢价）")
        .field("Text3", "盈余公积")
        .field("Text4", "回购数量")
        .field("Text5", "回购价格");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form145, define);

}  // namespace kelmora::form145
