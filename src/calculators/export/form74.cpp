// Kelmora — an export sale with its cost and the freight, both valued at the
// rate of the day of shipment.
#include "core/window_registry.h"

namespace kelmora::form74 {

void compute(Window& w) {
    const Num price = w.field("Text1"), rate = w.field("Text2"), cost = w.field("Text3"),
              freightForeign = w.field("Text4");
    const Num sale = rate * price;
    const Num freight = rate * freightForeign;
    w.text("确认出口");
    w.amount("应收账款（借）", sale);
    w.amount("主营业务收入（贷）", sale);
    w.blank();
    w.text("计算成本");
    w.amount("主营业务成本（借）", cost);
    w.amount("库存商品（贷）", cost);
    w.blank();
    w.text("计算运费");
    w.amount("主营业务收入-自营出口销售收入（借）", freight);
    w.amount("银行存款（贷）", freight);
}

WindowDef define() {
    FormBuilder b("Form74");
    b.field("Text1", "出口货款").field("Text2", "出货时汇率").field("Text3", "商品成本").field("Text4", "运费");
    b.standardButtons(compute, "出口商品");
    return b.build();
}

KELMORA_WINDOW(Form74, define);

}  // namespace kelmora::form74
