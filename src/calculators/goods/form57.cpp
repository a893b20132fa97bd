// Kelmora — sales and purchase returns of goods, raw materials or packaging.
#include "core/window_registry.h"

namespace kelmora::form57 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), cost = w.field("Text3");
    const Num gross = vat + price;

    w.text("确认收入");
    w.amount("应收账款（借）", gross);
    w.amount("主营业务收入/其他业务收入（贷）", price);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.blank();
    w.amount("银行存款（借）", gross);
    w.amount("应收账款（贷）", gross);
    w.blank();
    w.amount("主营业务成本/其他业务成本（借）", cost);
    w.amount("库存商品/原材料（贷）", cost);
    w.blank();

    w.text("销售退回");
    w.amount("主营业务收入/其他业务收入（借）", price);
    w.amount("应交税费-应交增值税（销）（借）", vat);
    w.amount("银行存款（贷）", gross);
    w.blank();
    w.amount("库存商品/原材料（借）", cost);
    w.amount("主营业务成本/其他业务成本（贷）", cost);
    w.blank();
    w.text("结转业务收入");
    w.amount("主营业务收入/其他业务收入（借）", price);
    w.amount("本年利润（贷）", price);
    w.blank();
    w.blank();
    w.blank();

    w.text("购买退回");
    w.amount("应付账款（借）", gross);
    w.amount("库存商品/原材料（贷）", price);
    w.amount("应交税费-应交增值税（进）（贷）", vat);
}

WindowDef define() {
    FormBuilder b("Form57");
    b.field("Text1", "商品总价（原材料、包装物）").field("Text2", "应交增值税（销）").field("Text3", "成本总额");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form57, define);

}  // namespace kelmora::form57
