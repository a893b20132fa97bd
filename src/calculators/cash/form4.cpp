// Kelmora — out-of-town purchase, bank draft and cashier's cheque.
// The cheque's fields stand in the lower left, below the printed lines' start.
#include "core/window_registry.h"

namespace kelmora::form4 {

// A draft or cheque: issue, maturity with interest on a 360-day year, and the
// entry when the money has not yet come in.
void instrument(Window& w, const char* heading, const char* account, Num amount, Num rate, Num days) {
    w.text(heading);
    w.amount(account, amount);
    w.amount("银行存款（贷）", amount);
    w.blank();
    const Num maturity = (days * rate / 360 + 1) * amount;
    const Num interest = maturity - amount;
    w.text("收到票据");
    w.amount("银行存款（借）", maturity);
    w.amount("应收票据（贷）", amount);
    w.amount("财务费用（贷）", interest);
    w.blank();
    w.text("未收到账款");
    w.amount("应收账款（借）", maturity);
    w.amount("银行存款（贷）", maturity);
}

void compute(Window& w) {
    const Num material = w.field("Text1"), inputTax = w.field("Text2"), draft = w.field("Text3"),
              cheque = w.field("Text4"), draftRate = w.field("Text5"), draftDays = w.field("Text6"),
              chequeRate = w.field("Text7"), chequeDays = w.field("Text8");
    if (material > 0 && inputTax > 0) {
        w.text("外埠采购");
        w.amount("材料费用（借）", material);
        w.amount("应交税金-应交增值税（进）（借）", inputTax);
        w.amount("其他货币资金（贷）", inputTax + material);
        w.blank();
    }
    if (draft > 0) instrument(w, "银行汇票", "其他货币资金-银行汇票（借）", draft, draftRate, draftDays);
    if (cheque > 0) instrument(w, "银行本票", "其他货币资金-银行本票（借）", cheque, chequeRate, chequeDays);
}

WindowDef define() {
    FormBuilder b("Form4");
    b.heading("外埠采购").field("Text1", "材料费用").field("Text2", "应交税金");
    b.heading("申请汇票").field("Text3", "银行汇票").field("Text5", "利率（年）").field("Text6", "到期天数");
    b.standardButtons(compute);
    b.lowerLeft();
    b.heading("申请本票").field("Text4", "银行本票").field("Text7", "利率（年）").field("Text8", "到期天数");
    return b.build();
}

KELMORA_WINDOW(Form4, define);

}  // namespace kelmora::form4
