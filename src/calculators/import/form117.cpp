// Kelmora — a patent bought from abroad, paid in yearly instalments.
// Only the first instalment is journalised; later years repeat it at the same
// rate, and the last one moves the whole price into the patent.
#include "core/window_registry.h"

namespace kelmora::form117 {

void compute(Window& w) {
    const Num price = w.field("Text1"), instalment = w.field("Text2"), rate = w.field("Text3"),
              vatRate = w.field("Text4"), incomeTaxRate = w.field("Text5");
    const Num vat = rate * instalment * vatRate;
    const Num withholding = rate * instalment * incomeTaxRate;
    const Num taxes = vat + withholding;
    const Num instalmentValue = rate * instalment;
    const Num patentValue = rate * price;
    // The taxes were withheld from the payable, so the seller receives the
    // instalment less both taxes.
    const Num net = instalmentValue - taxes;
    w.text("首次付款");
    w.amount("应交税费-应交增值税（进口增值税）（借）", vat);
    w.amount("应交税费-应交预提所得税（借）", withholding);
    w.amount("银行存款（贷）", taxes);
    w.blank();
    w.text("计入未完引进技术");
    w.amount("未完引进技术（借）", instalmentValue);
    w.amount("长期应付款（贷）", instalmentValue);
    w.blank();
    w.text("结转代扣税金");
    w.amount("长期应付款-外币（借）", taxes);
    w.amount("应交税费-应交增值税（进口增值税）（贷）", vat);
    w.amount("应交税费-应交预提所得税（贷）", withholding);
    w.blank();
    // Paid in foreign currency, as the net price is when the patent is paid
    // in one sum.
    w.text("支付进口技术款");
    w.amount("长期应付款（借）", net);
    w.amount("银行存款-外币（贷）", net);
    w.blank();
    w.text("以后每年会计分录同第一次");
    w.blank();
    w.text("最后一次付款");
    w.amount("无形资产-专利权（借）", patentValue);
    w.amount("未完引进技术（贷）", patentValue);
}

WindowDef define() {
    FormBuilder b("Form117");
    b.field("Text1", "专利价款")
        .field("Text2", "每年支付")
        .field("Text3", "当日外币中间价")
        .field("Text4", "增值税税率")
        .field("Text5", "所得税税率");
    b.standardButtons(compute, "购买专利-分次付清");
    return b.build();
}

KELMORA_WINDOW(Form117, define);

}  // namespace kelmora::form117
