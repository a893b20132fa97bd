// Kelmora — a fixed asset bought ready for use, paid at once or in instalments.
#include "core/window_registry.h"

namespace kelmora::form39 {

void insurancePaid(Window& w, Num insurance) {
    w.text("支付保险费");
    w.amount("管理费用-财产保险费（借）", insurance);
    w.amount("银行存款（贷）", insurance);
    w.blank();
}

void compute(Window& w) {
    const Num price = w.field("Text1"), tax = w.field("Text2"), insurance = w.field("Text3"),
              downPayment = w.field("Text4"), instalments = w.field("Text5");
    const Num cost = tax + price;
    const Num balance = cost - downPayment;
    w.text("购置固定资产（无需安装不抵扣）");
    w.amount("固定资产（借）", cost);
    w.amount("银行存款（贷）", cost);
    w.blank();
    w.text("购置固定资产（无需安装可抵扣）");
    w.amount("固定资产（借）", price);
    w.amount("应交税费-应交增值税（借）", tax);
    w.amount("银行存款（贷）", cost);
    w.blank();
    insurancePaid(w, insurance);
    w.text("若分期付款");
    w.amount("固定资产（借）", cost);
    w.amount("银行存款（贷）", downPayment);
    w.amount("长期应付款（贷）", balance);
    w.blank();
    // The instalment variant carries its own insurance entry, so it stands
    // complete when read on its own.
    insurancePaid(w, insurance);
    if (instalments > 0) {
        const Num instalment = balance / instalments;
        w.text("分期付款");
        w.amount("长期应付款（借）", instalment);
        w.amount("银行存款（贷）", instalment);
    }
}

WindowDef define() {
    FormBuilder b("Form39");
    b.beginFrame("Frame1", "固定资产").field("Text1", "固定资产原价").field("Text2", "相关税费").endFrame();
    b.field("Text3", "保险费").field("Text4", "首付款").field("Text5", "支付次数");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form39, define);

}  // namespace kelmora::form39
