// Kelmora — a bond bought with interest accrued, as a trading asset through
// the securities account, or as a short-term investment through the bank.
#include "core/window_registry.h"

namespace kelmora::form28 {

void compute(Window& w) {
    const Num price = w.field("Text1"), interest = w.field("Text2"), fee = w.field("Text3"),
              feeVat = w.field("Text4"), received = w.field("Text5");
    w.text("购入债券");
    const Num cost = price - interest;
    const Num outlay = cost + interest + fee + feeVat;
    w.amount("交易性金融资产-长期债券投资（借）", cost);
    w.amount("应收利息（借）", interest);
    w.amount("投资收益（借）", fee);
    w.amount("应交税费（借）", feeVat);
    w.amount("其他货币资金（贷）", outlay);
    w.blank();
    w.text("收到利息");
    w.amount("其他货币资金（借）", received);
    w.amount("应收利息（贷）", received);
    w.blank();
    w.text("或");
    w.blank();
    // The older short-term treatment: fees belong to the cost, and the
    // interest collected is the interest that was bought.
    const Num shortTermCost = (price - interest) + fee;
    const Num bankOutlay = fee + price;
    w.text("购买债券");
    w.amount("短期投资-债券投资（借）", shortTermCost);
    w.amount("应收利息（借）", interest);
    w.amount("银行存款（贷）", bankOutlay);
    w.blank();
    w.text("收到利息");
    w.amount("银行存款（借）", interest);
    w.amount("应收利息（贷）", interest);
}

WindowDef define() {
    FormBuilder b("Form28");
    b.beginFrame("Frame1", "长期债权投资").field("Text1", "支付债券价款").field("Text2", "债券利息").endFrame();
    b.beginFrame("Frame2", "其他货币资金").field("Text3", "交易费用").field("Text4", "交易增值税").endFrame();
    b.field("Text5", "收到利息");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form28, define);

}  // namespace kelmora::form28
