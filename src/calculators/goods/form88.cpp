// Kelmora — sale at a trade discount, collected with a cash discount.
// The output VAT is typed, not worked out from the discounted revenue.
#include "core/window_registry.h"

namespace kelmora::form88 {

void compute(Window& w) {
    const Num quantity = w.field("Text1"), unitPrice = w.field("Text2"), unitCost = w.field("Text3"),
              tradeDiscount = w.field("Text4"), cashRate = w.field("Text5"), vat = w.field("Text6");

    const Num revenue = unitPrice * quantity * (1 - tradeDiscount);
    const Num receivable = revenue + vat;
    w.text("确认收入");
    w.amount("应收账款（借）", receivable);
    w.amount("主营业务收入（贷）", revenue);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.blank();

    const Num cost = quantity * unitCost;
    w.amount("主营业务成本（借）", cost);
    w.amount("库存商品（贷）", cost);
    w.blank();

    const Num cashDiscount = receivable * cashRate;
    const Num received = receivable - cashDiscount;
    w.text("收到货款");
    w.amount("银行存款（借）", received);
    w.amount("财务费用（借）", cashDiscount);
    w.amount("应收账款（贷）", receivable);
    w.blank();

    w.text("结转财务费用");
    w.amount("本年利润（借）", cashDiscount);
    w.amount("财务费用（贷）", cashDiscount);
}

WindowDef define() {
    FormBuilder b("Form88");
    b.field("Text1", "销售数量")
        .field("Text2", "销售价格")
        .field("Text3", "销售成本")
        .field("Text4", "折扣")
        .field("Text5", "条件折扣率")
        .field("Text6", "应交增值税");
    b.standardButtons(compute, "打折销售");
    return b.build();
}

KELMORA_WINDOW(Form88, define);

}  // namespace kelmora::form88
