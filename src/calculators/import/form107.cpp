// Kelmora — an import carried out as agent for a domestic client who pays in
// advance: every payment and the agency fee are drawn on the advance.
// The tax fields stand in the lower left, below the start of the printed lines.
#include "core/window_registry.h"

namespace kelmora::form107 {

void compute(Window& w) {
    const Num advance = w.field("Text1"), freightPaid = w.field("Text2"), paymentRate = w.field("Text3"),
              settled = w.field("Text4"), commission = w.field("Text5"), settlementRate = w.field("Text6"),
              fee = w.field("Text7"), feeRate = w.field("Text8"), duty = w.field("Text9"),
              feeTax = w.field("Text10"), importVat = w.field("Text11"), returned = w.field("Text12"),
              agentVat = w.field("Text13");
    w.text("收到价款");
    w.amount("银行存款（借）", advance);
    w.amount("预收账款（贷）", advance);
    w.blank();
    const Num freight = paymentRate * freightPaid;
    const Num settlement = (settled - commission) * settlementRate;
    const Num agencyFee = feeRate * fee;
    const Num declaredTaxes = importVat + duty;
    const Num taxPayment = agentVat + duty;
    w.text("支付运险费");
    w.amount("预收账款（借）", freight);
    w.amount("银行存款（贷）", freight);
    w.blank();
    w.text("收到结算");
    w.amount("预收账款（借）", settlement);
    w.amount("银行存款（贷）", settlement);
    w.blank();
    w.text("收取手续费");
    w.amount("预收账款（借）", agencyFee);
    w.amount("其他业务收入(贷)", agencyFee);
    w.blank();
    w.text("申报税务");
    w.amount("预收账款（借）", declaredTaxes);
    w.amount("应交税费-应交进口关税（贷）", duty);
    w.amount("应交税费-应交增值税（进）（贷）", importVat);
    w.blank();
    w.text("计提增值税");
    w.amount("营业税金及附加（借）", feeTax);
    w.amount("应交税费-应交营业税（贷）", feeTax);
    w.blank();
    w.text("缴纳税务");
    w.amount("应交税费-应交进口关税（借）", duty);
    w.amount("应交税费-应交增值税（销）（借）", agentVat);
    w.amount("银行存款（贷）", taxPayment);
    w.blank();
    w.text("退回预收款");
    w.amount("预收账款（借）", returned);
    w.amount("银行存款（贷）", returned);
}

WindowDef define() {
    FormBuilder b("Form107");
    b.field("Text1", "收到预付款")
        .field("Text2", "支付运险费")
        .field("Text3", "支付当日汇率")
        .field("Text4", "收到结算货款")
        .field("Text5", "结算明佣")
        .field("Text6", "结算外汇卖出价")
        .field("Text7", "收取手续费")
        .field("Text8", "手续费汇率");
    b.standardButtons(compute, "代理业务进口");
    b.lowerLeft();
    b.field("Text9", "进口关税")
        .field("Text10", "手续费增值税")
        .field("Text11", "应交进口增值税")
        .field("Text12", "退回预收款")
        .field("Text13", "代理增值税");
    return b.build();
}

KELMORA_WINDOW(Form107, define);

}  // namespace kelmora::form107
