// Kelmora — goods from stock let out for rent, amortised over twelve months
// and finally scrapped.
#include "core/window_registry.h"

namespace kelmora::form134 {

void compute(Window& w) {
    const Num purchasePrice = w.field("Text1"), sellingPrice = w.field("Text2"), number = w.field("Text3"),
              rent = w.field("Text4"), deposit = w.field("Text5"), scrapValue = w.field("Text6");
    const Num cost = number * purchasePrice;
    const Num retail = number * sellingPrice;
    const Num margin = retail - cost;
    w.text("出租商品");
    w.amount("出租商品（借）", cost);
    w.amount("商品进销差价（借）", margin);
    w.amount("库存商品（贷）", retail);
    w.blank();
    w.text("收到租金");
    w.amount("库存现金/银行存款（借）", rent);
    w.amount("其他业务收入（贷）", rent);
    w.blank();
    const Num monthly = cost / 12;
    w.text("月末摊销");
    w.amount("其他业务支出（借）", monthly);
    w.amount("出租商品-摊销（贷）", monthly);
    w.blank();
    w.text("收取押金");
    w.amount("库存现金/银行存款（借）", deposit);
    w.amount("其他应付款（贷）", deposit);
    w.blank();
    w.text("退还押金");
    w.amount("其他应付款（借）", deposit);
    w.amount("库存现金/银行存款（贷）", deposit);
    w.blank();
    w.text("报废");
    w.amount("其他业务支出（借）", scrapValue);
    w.amount("出租商品（贷）", scrapValue);
}

WindowDef define() {
    FormBuilder b("Form134");
    b.field("Text1", "出租品进价")
        .field("Text2", "出租品售价")
        .field("Text3", "出租品数量")
        .field("Text4", "租金")
        .field("Text5", "押金")
        .field("Text6", "报废款");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form134, define);

}  // namespace kelmora::form134
