// Kelmora — a patent bought from abroad, paid in one sum.
// Import VAT and withholding income tax are paid in yuan at once, then taken
// out of the payable, so the foreign seller receives the contract value less
// both taxes.
#include "core/window_registry.h"

namespace kelmora::form116 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vatRate = w.field("Text2"), rate = w.field("Text3"),
              incomeTaxRate = w.field("Text4");
    const Num vat = vatRate * price * rate;
    const Num withholding = rate * price * incomeTaxRate;
    const Num taxes = vat + withholding;
    const Num contract = rate * price;
    const Num net = contract - taxes;
    w.text("预提税务");
    w.amount("应交税费-应交增值税（进口增值税）（借）", vat);
    w.amount("应交税费-应交预提所得税（借）", withholding);
    w.amount("银行存款（贷）", taxes);
    w.blank();
    w.text("按合同金额计入无形资产");
    w.amount("无形资产-专利权（借）", contract);
    w.amount("应付账款（贷）", contract);
    w.blank();
    w.text("结转代扣金");
    w.amount("应付账款-外币（借）", taxes);
    w.amount("应交税费-应交增值税（进口增值税）（贷）", vat);
    w.amount("应交税费-应交预提所得税（贷）", withholding);
    w.blank();
    w.text("支付净价款");
    w.amount("应付账款（借）", net);
    w.amount("银行存款-外币（贷）", net);
}

WindowDef define() {
    FormBuilder b("Form116");
    b.field("Text1", "专利费用").field("Text2", "增值税率").field("Text3", "汇率中间价").field("Text4", "所得税税率");
    b.standardButtons(compute, "购买专利-一次付清");
    return b.build();
}

KELMORA_WINDOW(Form116, define);

}  // namespace kelmora::form116
