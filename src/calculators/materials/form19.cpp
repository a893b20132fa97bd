// Kelmora — materials bought (freight paid by the buyer or by the seller) or
// made in-house.
#include "core/window_registry.h"

namespace kelmora::form19 {

// One way of paying the freight: in transit, received, and received at once.
void purchase(Window& w, const char* who, Num cost, Num vat, Num payable) {
    w.text(who);
    w.text("未入库");
    w.amount("在途物资（借）", cost);
    w.amount("应交税金-应交增值税（进）（借）", vat);
    w.amount("银行存款/应付票据（贷）", payable);
    w.blank();
    w.text("已入库");
    w.amount("原材料（借）", cost);
    w.amount("在途物资（贷）", cost);
    w.blank();
    w.text("直接入库");
    w.amount("原材料（借）", cost);
    w.amount("应交税金-应交增值税（进）（借）", vat);
    w.amount("银行存款/应付票据（贷）", payable);
}

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), freight = w.field("Text3"),
              ownMake = w.field("Text4"), warehousing = w.field("Text5");
    // All three sums are taken before anything is printed, whichever blocks
    // then apply.
    const Num fullCost = freight + price + warehousing;
    const Num fullPayable = fullCost + vat;
    const Num barePayable = vat + price;
    if (price > 0) {
        purchase(w, "我方付运费（或者对方代垫）", fullCost, vat, fullPayable);
        w.blank();
        w.blank();
        w.blank();
        purchase(w, "对方付运费（包邮包进仓）", price, vat, barePayable);
        w.blank();
    }
    if (ownMake > 0) {
        w.text("自产原材料");
        w.amount("原材料（借）", ownMake);
        w.amount("生产成本（贷）", ownMake);
    }
}

WindowDef define() {
    FormBuilder b("Form19");
    b.heading("购买原材料");
    b.beginFrame("Frame1", "物资价款")
        .field("Text1", "原材料价格")
        .field("Text3", "运费")
        .field("Text5", "进仓费")
        .endFrame();
    b.field("Text2", "增值税");
    b.heading("自产原材料").field("Text4", "自产原材料");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form19, define);

}  // namespace kelmora::form19
