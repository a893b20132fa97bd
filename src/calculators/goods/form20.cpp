// Kelmora — packaging (周转材料-包装物).  Four independent cases, each printed
// only when its own cost is positive; every entry balances.
//  - 领用包装: issued to production, part of the product, written off at once
//    (生产成本 / 周转材料-包装物).
//  - 包装随物: sent out with the goods, written off at once.  Whether it was
//    priced separately is not known here, so both entries print: a selling
//    cost (销售费用) when not, the cost of an ancillary sale (其他业务成本) when so.
//  - 分次转销法: moved from 在库 to 在用; each use writes off (cost - residual)
//    / uses to 销售费用 against 摊销; at scrapping the residual comes back as
//    原材料 and 摊销 and 在用 are closed.  Only for at least one use and a
//    residual from 0 to the cost: nothing else is a write-off to book, and the
//    limits keep the division finite, so no input stops the click there.
//  - 包装押金或出租: let out → 其他业务成本, lent free → 销售费用, both written
//    off at once; the deposit sits in 其他应付款-押金 until paid back in full;
//    rent is ancillary income with output VAT at 0.13 (leasing of goods),
//    booked apart from the deposit so no entry turns on which one is larger.
#include "core/window_registry.h"

namespace kelmora::form20 {

void compute(Window& w) {
    const Num issued = w.field("Text1"), shipped = w.field("Text2"), instalmentCost = w.field("Text3"),
              uses = w.field("Text4"), residual = w.field("Text5"), letCost = w.field("Text6"),
              lentCost = w.field("Text7"), deposit = w.field("Text8"), rent = w.field("Text9");

    if (issued > 0) {
        w.text("领用包装");
        w.amount("生产成本（借）", issued);
        w.amount("周转材料-包装物（贷）", issued);
        w.blank();
    }

    if (shipped > 0) {
        w.text("包装随物");
        w.text("不单独计价");
        w.amount("销售费用（借）", shipped);
        w.amount("周转材料-包装物（贷）", shipped);
        w.blank();
        w.text("单独计价");
        w.amount("其他业务成本（借）", shipped);
        w.amount("周转材料-包装物（贷）", shipped);
        w.blank();
    }

    if (instalmentCost > 0 && uses >= 1 && residual >= 0 && residual <= instalmentCost) {
        w.text("分次转销法");
        w.text("领用包装");
        w.amount("周转材料-包装物-在用（借）", instalmentCost);
        w.amount("周转材料-包装物-在库（贷）", instalmentCost);
        w.blank();
        const Num amortised = instalmentCost - residual;
        const Num perUse = amortised / uses;
        w.text("每次摊销");
        w.amount("销售费用（借）", perUse);
        w.amount("周转材料-包装物-摊销（贷）", perUse);
        w.blank();
        w.text("报废");
        w.amount("原材料（借）", residual);
        w.amount("周转材料-包装物-摊销（借）", amortised);
        w.amount("周转材料-包装物-在用（贷）", instalmentCost);
        w.blank();
    }

    if (letCost > 0 || lentCost > 0) {
        w.text("包装押金或出租");
        if (letCost > 0) {
            w.text("出租包装");
            w.amount("其他业务成本（借）", letCost);
            w.amount("周转材料-包装物（贷）", letCost);
            w.blank();
        }
        if (lentCost > 0) {
            w.text("出借包装");
            w.amount("销售费用（借）", lentCost);
            w.amount("周转材料-包装物（贷）", lentCost);
            w.blank();
        }
        if (deposit > 0) {
            w.text("收取押金");
            w.amount("银行存款（借）", deposit);
            w.amount("其他应付款-押金（贷）", deposit);
            w.blank();
        }
        if (rent > 0) {
            const Num rentVat = rent * 0.13;
            const Num rentTotal = rent + rentVat;
            w.text("收到租金");
            w.amount("银行存款（借）", rentTotal);
            w.amount("其他业务收入（贷）", rent);
            w.amount("应交税费-应交增值税（销）（贷）", rentVat);
            w.blank();
        }
        if (deposit > 0) {
            w.text("退还押金");
            w.amount("其他应付款-押金（借）", deposit);
            w.amount("银行存款（贷）", deposit);
            w.blank();
        }
    }
}

WindowDef define() {
    FormBuilder b("Form20");
    b.beginColumns();
    b.heading("领用包装").field("Text1", "包装成本");
    b.nextColumn();
    b.heading("包装随物").field("Text2", "包装成本");
    b.heading("分次转销法").field("Text3", "包装成本").field("Text4", "使用次数").field("Text5", "残值");
    b.heading("包装押金或出租")
        .field("Text6", "出租成本")
        .field("Text7", "出借成本")
        .field("Text8", "押金")
        .field("Text9", "最终租金");
    b.endColumns();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form20, define);

}  // namespace kelmora::form20
