// Kelmora — sale of goods with the freight advanced for the buyer.
// Both ways of booking the freight are printed: first as a separate advance,
// then, after "或", folded into one receivable.
#include "core/window_registry.h"

namespace kelmora::form8 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), cost = w.field("Text3"),
              freight = w.field("Text4");
    const Num gross = vat + price;

    w.text("确认收入");
    w.amount("应收票据/银行存款（借）", gross);
    w.amount("主营业务收入（贷）", price);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.blank();
    w.amount("主营业务成本（借）", cost);
    w.amount("库存商品（贷）", cost);
    w.blank();
    w.text("代垫运费");
    w.amount("应收账款（借）", freight);
    w.amount("银行存款（贷）", freight);
    w.blank();
    w.text("付运费");
    w.amount("应付账款（借）", freight);
    w.amount("银行存款（贷）", freight);
    w.blank();
    w.text("主营业务成本结转本年利润");
    w.amount("本年利润（借）", cost);
    w.amount("主营业务成本（贷）", cost);
    w.blank();

    w.text("或");
    w.blank();
    w.amount("应收账款（借）", gross + freight);
    w.amount("主营业务收入（贷）", price);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.amount("银行存款（贷）", freight);
    w.blank();
    w.amount("主营业务成本（借）", cost);
    w.amount("库存商品（贷）", cost);
    w.blank();
    w.text("主营业务成本结转本年利润");
    w.amount("本年利润（借）", cost);
    w.amount("主营业务成本（贷）", cost);
}

WindowDef define() {
    FormBuilder b("Form8");
    b.beginFrame("Frame1", "货款").field("Text1", "商品总价").field("Text4", "运费").endFrame();
    b.field("Text2", "应交增值税（销）").field("Text3", "成本总额");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form8, define);

}  // namespace kelmora::form8
