// Kelmora — a bond held for trading: purchase, interest, fair-value change,
// sale and the interest of the whole term.
#include "core/window_registry.h"

namespace kelmora::form30 {

// The sale: the bond leaves at its cost (face) plus the fair-value change
// carried on it; what the price brings above or below the last fair value is
// investment income.  Zero quantities print no line of their own.
void sale(Window& w, Num sellingPrice, Num face, Num carried, Num gain) {
    w.text("出售债券");
    w.amount("银行存款（借）", sellingPrice);
    if (carried > 0 && gain > 0) {
        w.amount("交易性金融资产-债券成本（贷）", face);
        w.amount("交易性金融资产-公允价值变动（贷）", carried);
        w.amount("投资收益（贷）", gain);
    } else if (carried > 0 && gain < 0) {
        w.amount("投资收益（借）", -gain);
        w.amount("交易性金融资产-债券成本（贷）", face);
        w.amount("交易性金融资产-公允价值变动（贷）", carried);
    } else if (carried < 0 && gain > 0) {
        w.amount("交易性金融资产-公允价值变动（借）", -carried);
        w.amount("交易性金融资产-债券成本（贷）", face);
        w.amount("投资收益（贷）", gain);
    } else if (carried < 0 && gain < 0) {
        w.amount("交易性金融资产-公允价值变动（借）", -carried);
        w.amount("投资收益（借）", -gain);
        w.amount("交易性金融资产-债券成本（贷）", face);
    } else if (carried == 0 && gain > 0) {
        w.amount("交易性金融资产-债券成本（贷）", face);
        w.amount("投资收益（贷）", gain);
    } else if (carried == 0 && gain < 0) {
        w.amount("投资收益（借）", -gain);
        w.amount("交易性金融资产-债券成本（贷）", face);
    } else if (carried == 0 && gain == 0) {
        w.amount("交易性金融资产-债券成本（贷）", face);
    } else if (carried > 0 && gain == 0) {
        w.amount("交易性金融资产-债券成本（贷）", face);
        w.amount("交易性金融资产-公允价值变动（贷）", carried);
    } else if (carried < 0 && gain == 0) {
        w.amount("交易性金融资产-债券成本（贷）", face);
        w.amount("交易性金融资产-公允价值变动（借）", -carried);
    }
}

void compute(Window& w) {
    const Num totalPaid = w.field("Text1"), uncollected = w.field("Text2"), fee = w.field("Text3"),
              face = w.field("Text4"), rate = w.field("Text5"), paymentsPerYear = w.field("Text6"),
              currentFair = w.field("Text7"), years = w.field("Text8"), sellingPrice = w.field("Text9"),
              previousFair = w.field("Text10");
    w.text("购入债券");
    w.amount("交易性金融资产-债券成本（借）", face);
    w.amount("应收利息（借）", uncollected);
    w.amount("投资收益（借）", fee);
    w.amount("银行存款（贷）", totalPaid);
    w.blank();

    w.text("收到利息");
    if (paymentsPerYear > 0) {
        const Num interest = rate * face / paymentsPerYear;
        w.amount("银行存款（借）", interest);
        w.amount("应收利息（贷）", interest);
    }

    w.blank();
    w.text("公允价值变动");
    const Num change = currentFair - previousFair;
    w.amountBySign("交易性金融资产-公允价值变动（借）", "公允价值变动损益（借）", change);
    w.amountBySign("公允价值变动损益（贷）", "交易性金融资产-公允价值变动（贷）", change);
    w.blank();

    const Num carried = previousFair - face;
    const Num gain = sellingPrice - previousFair;
    sale(w, sellingPrice, face, carried, gain);

    w.blank();
    w.text("债券总利息");
    const Num totalInterest = years * face * rate;
    w.amount("债券总利息", totalInterest);
}

WindowDef define() {
    FormBuilder b("Form30");
    b.field("Text1", "支付债价合计").field("Text2", "未领取利息").field("Text3", "交易费用");
    b.beginFrame("Frame1", "收到利息/总利息")
        .field("Text4", "债券面值/初期公允")
        .field("Text5", "票面年利率")
        .field("Text6", "年付息次数")
        .field("Text8", "总年限")
        .endFrame();
    b.beginFrame("Frame2", "投资收益/公允价值变动")
        .field("Text9", "债券售价")
        .field("Text10", "前期公允价值")
        .field("Text7", "当期公允价值")
        .endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form30, define);

}  // namespace kelmora::form30
