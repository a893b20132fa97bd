// Kelmora — goods sold through a consignee who keeps a commission.
// Output VAT on the goods (0.13) and VAT on the commission (0.06) are fixed.
#include "core/window_registry.h"

namespace kelmora::form58 {

void compute(Window& w) {
    const Num quantity = w.field("Text1"), unitPrice = w.field("Text2"), unitCost = w.field("Text3"),
              commissionRate = w.field("Text4");
    w.text("发出商品");

    const Num sent = unitCost * quantity;
    w.amount("发出商品（借）", sent);
    w.amount("库存商品（贷）", sent);
    w.blank();
    w.text("收到清单");

    const Num sales = quantity * unitPrice;
    const Num vat = sales * 0.13;
    const Num receivable = sales + vat;
    w.amount("应收账款（借）", receivable);
    w.amount("主营业务收入（贷）", sales);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.blank();
    w.amount("主营业务成本（借）", sent);
    w.amount("发出商品（贷）", sent);

    const Num fee = sales * commissionRate;
    const Num feeVat = fee * 0.06;
    const Num feeTotal = fee + feeVat;
    w.blank();
    w.amount("销售费用（借）", fee);
    w.amount("应交税费-应交增值税（进）（借）", feeVat);
    w.amount("应收账款（贷）", feeTotal);
    w.blank();

    w.text("收到货款");
    const Num net = sales + vat - feeTotal;
    w.amount("银行存款（借）", net);
    w.amount("应收账款（贷）", net);
}

WindowDef define() {
    FormBuilder b("Form58");
    b.field("Text1", "销售商品数量").field("Text2", "销售单价").field("Text3", "销售成本").field("Text4", "手续费比例");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form58, define);

}  // namespace kelmora::form58
