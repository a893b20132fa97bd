// Kelmora — the month's VAT of a producer that both exports and sells at home,
// under the exempt–credit–refund method, and the month's journal entries.
//
// Tax payable can come out negative: that is input tax left over.  The
// export ceiling is then first used to absorb it, and what the ceiling does
// not cover is refunded in cash.  The summary counts a credit of exactly 0 with
// the partial refunds, while the entries test the credit strictly on either
// side of 0.
#include "core/window_registry.h"

namespace kelmora::form80 {

void compute(Window& w) {
    const Num exportRevenue = w.field("Text1"), domesticRevenue = w.field("Text2"), outputTax = w.field("Text3"),
              materials = w.field("Text4"), inputTax = w.field("Text5"), carriedForward = w.field("Text6"),
              levyRate = w.field("Text7"), refundRate = w.field("Text8");
    const Num nonCreditable = (levyRate - refundRate) * exportRevenue;
    const Num taxPayable = levyRate * domesticRevenue - (inputTax - nonCreditable) - carriedForward;
    const Num ceiling = refundRate * exportRevenue;
    const Num credit = ceiling + taxPayable;

    w.amount("当月不得免征额", nonCreditable);
    w.amount("当月应纳税额", taxPayable);
    w.amount("免抵退税额", ceiling);
    if (taxPayable >= 0) w.amount("当期免抵退税额", ceiling);
    if (taxPayable < 0 && credit >= 0) w.amount("当期免抵退税额", credit);
    if (taxPayable < 0 && credit < 0) w.amount("当期免抵退税额", ceiling);
    w.blank();
    w.text("购进原材料时");
    w.amount("原材料（借）", materials);
    w.amount("应交税费-应交增值税（进）（借）", inputTax);
    w.amount("应付账款/银行存款（贷）", inputTax + materials);
    w.blank();
    w.text("销售时");
    w.amount("应收账款/银行存款（借）", domesticRevenue + exportRevenue + outputTax);
    w.amount("主营业务收入-出口（贷）", exportRevenue);
    w.amount("主营业务收入-内销（贷）", domesticRevenue);
    w.amount("应交税费-应交增值税（销）（贷）", outputTax);
    w.blank();
    w.text("不予免抵税额");
    w.amount("主营业务成本-出口（借）", nonCreditable);
    w.amount("应交税费-应交增值税（进项税额转出）（贷）", nonCreditable);
    w.blank();
    w.text("出口抵减内销产品应纳税额");
    if (taxPayable >= 0) {
        w.amount("应交税费-应交增值税（出口抵减内销产品）（借）", ceiling);
        w.amount("应交税费-应交增值税（出口退税）（贷）", ceiling);
    }
    if (taxPayable < 0 && credit > 0) {
        w.amount("应交税费-应交增值税（出口抵减内销产品）（借）", credit);
        w.amount("应交税费-应交增值税（出口退税）（贷）", credit);
    }
    if (taxPayable < 0 && credit < 0) {
        w.amount("其他应收款-出口退税（借）", ceiling);
        w.amount("应交税费-应交增值税（出口退税）（贷）", ceiling);
        w.blank();
        w.text("收到退税");
        w.amount("银行存款（借）", ceiling);
        w.amount("其他应收款-出口退税（贷）", ceiling);
    }
    w.blank();
    if (taxPayable > 0) {
        w.text("结转本月未交增值税");
        w.amount("应交税费 - 应交增值税(转出未交)（借）", taxPayable);
        w.amount("应交税费-未交增值税（贷）", taxPayable);
    }
    if (taxPayable < 0 && credit > 0) {
        w.text("出口退税");
        w.amount("银行存款（借）", -taxPayable);
        w.amount("其他应收款-出口退税（贷）", -taxPayable);
    }
}

WindowDef define() {
    FormBuilder b("Form80");
    b.beginFrame("Frame1", "出口货款")
        .field("Text1", "出口收入")
        .field("Text2", "内销收入")
        .field("Text3", "销项税额")
        .endFrame();
    b.field("Text4", "购进原材料价格")
        .field("Text5", "进项税额")
        .field("Text6", "留抵进项税")
        .field("Text7", "征税率")
        .field("Text8", "退税率");
    b.standardButtons(compute, "出口退税");
    return b.build();
}

KELMORA_WINDOW(Form80, define);

}  // namespace kelmora::form80
