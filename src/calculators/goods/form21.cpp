// Kelmora — year-end bad-debt provision, with the debts written off or
// collected again during the year.  A recovery and a reversal of the
// provision are printed as positive amounts; the alternative entry after
// "或" shows the adjustment as it is, negative or not.
#include "core/window_registry.h"

namespace kelmora::form21 {

void compute(Window& w) {
    const Num thisYear = w.field("Text1"), lastYear = w.field("Text2"), actual = w.field("Text3");
    w.text("年末计提");
    w.amount("管理费用（借）", lastYear);
    w.amount("坏账准备（贷）", lastYear);
    w.blank();
    if (actual >= 0) {
        w.text("确认坏账");
        w.amount("坏账准备-坏账准备（借）", actual);
        w.amount("应收账款（贷）", actual);
        w.blank();
    }
    if (actual < 0) {
        w.text("收回坏账");
        w.amount("银行存款（借）", -actual);
        w.amount("应收账款（贷）", -actual);
        w.text("同时");
        w.amount("应收账款（借）", -actual);
        w.amount("坏账准备（贷）", -actual);
        w.blank();
    }
    const Num adjustment = thisYear - (lastYear - actual);
    if (adjustment >= 0) {
        w.text("计提坏账准备");
        w.amount("信用减值损失（借）", adjustment);
        w.amount("坏账准备（贷）", adjustment);
        w.blank();
        w.text("转销坏账");
        w.amount("坏账准备（借）", adjustment);
        w.amount("应收账款（贷）", adjustment);
        w.blank();
        w.text("如果收回全部坏账");
        w.amount("应收账款（借）", adjustment);
        w.amount("坏账准备（贷）", adjustment);
        w.amount("银行存款（借）", adjustment);
        w.amount("应收账款（贷）", adjustment);
    }
    if (adjustment < 0) {
        const Num reversal = -adjustment;
        w.text("计提坏账准备");
        w.amount("坏账准备（借）", reversal);
        w.amount("管理费用（贷）", reversal);
        w.blank();
        w.text("转销坏账");
        w.amount("应收账款（借）", reversal);
        w.amount("坏账准备（贷）", reversal);
        w.blank();
        w.text("如果收回全部坏账");
        w.amount("应收账款（借）", reversal);
        w.amount("坏账准备（贷）", reversal);
        w.amount("银行存款（借）", reversal);
        w.amount("应收账款（贷）", reversal);
        w.blank();
    }
    w.blank();
    w.text("或");
    w.blank();
    if (!(actual > 0)) {
        w.amount("营业外支出-坏账损失（借）", adjustment);
        w.amount("银行存款（借）", -actual);
        w.amount("坏账准备（借）", lastYear);
        w.amount("应收账款（贷）", thisYear);
    }
    if (actual > 0) {
        w.amount("营业外支出-坏账损失（借）", adjustment);
        w.amount("坏账准备（借）", lastYear);
        w.amount("银行存款（贷）", actual);
        w.amount("应收账款（贷）", thisYear);
    }
}

WindowDef define() {
    FormBuilder b("Form21");
    // The three captions are the members 0, 1 and 2 of Label1; compute and
    // cancel are the one-member arrays Command1(0) and Command2(1).
    b.arrayField("Text1", "Label1", 0, "坏账准备（本年应收）");
    b.arrayField("Text2", "Label1", 1, "坏账准备（上年应收）");
    b.arrayField("Text3", "Label1", 2, "+坏账准备/-收回坏账（实际）");
    b.standardButtons(compute, "确定", 0, 1);  // Command1(0), Command2(1)
    return b.build();
}

KELMORA_WINDOW(Form21, define);

}  // namespace kelmora::form21
