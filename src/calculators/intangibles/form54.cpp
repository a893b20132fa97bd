// Kelmora — an intangible asset let out (for a franchise fee, or for a fee
// while it is amortised) and an intangible asset written off.
#include "core/window_registry.h"

namespace kelmora::form54 {

void compute(Window& w) {
    const Num franchise = w.field("Text1"), rate = w.field("Text2"), staff = w.field("Text3"), fee = w.field("Text4"),
              tax = w.field("Text5"), book = w.field("Text6"), years = w.field("Text7"), balance = w.field("Text8"),
              amortised = w.field("Text9");
    if (franchise > 0) {
        w.text("收取加盟费");
        w.amount("银行存款（借）", franchise);
        w.amount("其他业务收入（贷）", franchise);
        w.blank();
        const Num franchiseTax = rate * franchise;
        w.text("计提营业税金");
        w.amount("其他业务成本（借）", franchiseTax);
        w.amount("应交税金-应交营业税（贷）", franchiseTax);
        w.blank();
        w.text("人员费用");
        w.amount("其他业务成本（借）", staff);
        w.amount("库存现金（贷）", staff);
        w.blank();
    }
    // The period is what makes this a letting with amortisation; a fee
    // without one prints nothing.
    if (years > 0) {
        w.text("收取费用");
        w.amount("银行存款（借）", fee);
        w.amount("其他业务收入（贷）", fee);
        w.blank();
        w.text("计提营业税金");
        w.amount("其他业务成本（借）", tax);
        w.amount("应交税金-应交营业税（贷）", tax);
        w.blank();
        const Num monthly = book / years / 12;
        w.text("每月摊销");
        w.amount("其他业务成本（借）", monthly);
        w.amount("累计摊销（贷）", monthly);
    }
    if (balance > 0) {
        w.text("无形资产报废");
        w.amount("营业外支出-报废损失（借）", balance - amortised);
        w.amount("累计摊销（借）", amortised);
        w.amount("无形资产（贷）", balance);
    }
}

WindowDef define() {
    FormBuilder b("Form54");
    b.heading("出租无形资产（加盟）").field("Text1", "出租费用").field("Text2", "营业税税率").field("Text3", "人员费用");
    b.heading("出租无形资产（摊销）")
        .field("Text4", "收取费用")
        .field("Text5", "营业税额")
        .field("Text6", "账面价值")
        .field("Text7", "摊销期限（年）");
    // Accumulated amortisation stands above the balance it is taken from.
    b.heading("无形资产报废").field("Text9", "累计摊销").field("Text8", "无形资产余额");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form54, define);

}  // namespace kelmora::form54
