// Kelmora — letter of credit and credit card.
#include "core/window_registry.h"

namespace kelmora::form5 {

void compute(Window& w) {
    const Num creditTotal = w.field("Text1"), deposit = w.field("Text2"), rate = w.field("Text3"),
              fee = w.field("Text4"), cardDeposit = w.field("Text5"), cardSpending = w.field("Text6");
    if (creditTotal > 0) {
        const Num depositValue = rate * deposit;
        w.text("信用证回单");
        w.amount("其他货币资金-信用证保证金（借）", depositValue);
        w.amount("银行存款-外币存款（贷）", depositValue);
        w.blank();
        w.text("手续费");
        w.amount("财务费用-银行手续费（借）", fee);
        w.amount("银行存款（贷）", fee);
        w.blank();
        const Num creditValue = rate * creditTotal;
        const Num balance = creditValue - depositValue;
        w.text("进口材料");
        w.amount("在途物资（借）", creditValue);
        w.amount("其他货币资金-信用证保证金（贷）", depositValue);
        w.amount("银行存款-外币存款（贷）", balance);
    }
    if (cardDeposit > 0) {
        w.text("信用卡存款");
        w.amount("其他货币资金-信用卡存款（借）", cardDeposit);
        w.amount("银行存款（贷）", cardDeposit);
        w.blank();
        w.text("信用卡消费");
        w.amount("管理费用-业务招待费（借）", cardSpending);
        w.amount("其他货币资金-信用卡存款（贷）", cardSpending);
    }
}

WindowDef define() {
    FormBuilder b("Form5");
    b.heading("信用证")
        .field("Text1", "开立信用证（总）")
        .field("Text2", "保证金")
        .field("Text3", "美元中间价")
        .field("Text4", "手续费");
    b.heading("信用卡").field("Text5", "信用卡存款").field("Text6", "信用卡消费");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form5, define);

}  // namespace kelmora::form5
