// Kelmora — carrying the year's net profit into undistributed profit and
// distributing it to the surplus reserves and the dividends.
#include "core/window_registry.h"

namespace kelmora::form141 {

void compute(Window& w) {
    const Num current = w.field("Text1"), opening = w.field("Text2"), loss = w.field("Text3"),
              statutory = w.field("Text5"), discretionary = w.field("Text6"), preferred = w.field("Text7"),
              ordinary = w.field("Text8");
    const Num profit = opening + current - loss;
    const Num remainder = profit - statutory - discretionary - preferred - ordinary;

    // What is left undistributed, its side by its sign; a deficit keeps its
    // minus sign.
    if (remainder > 0)
        w.amount("未分配利润总（贷）", remainder);
    else if (remainder < 0)
        w.amount("未分配利润总（借）", remainder);
    else
        w.amount("未分配利润总", remainder);
    w.blank();

    // A loss is carried with its sides turned and its amount positive.
    w.text("结转净利润");
    if (profit < 0) {
        w.amount("利润分配-未分配利润（借）", -profit);
        w.amount("本年利润（贷）", -profit);
    } else {
        w.amount("本年利润（借）", profit);
        w.amount("利润分配-未分配利润（贷）", profit);
    }
    w.blank();

    w.text("结转盈余公积和股利");
    w.amount("利润分配-提取法定盈余公积（借）", statutory);
    w.amount("利润分配-提取任意盈余公积（借）", discretionary);
    w.amount("利润分配-分配优先股利（借）", preferred);
    w.amount("利润分配-分配普通股利（借）", ordinary);
    w.amount("盈余公积（贷）", statutory + discretionary);
    w.amount("应付股利（贷）", preferred + ordinary);
    w.blank();

    w.text("结转利润分配");
    w.amount("利润分配-未分配利润（借）", statutory + discretionary + preferred + ordinary);
    w.amount("利润分配-提取法定盈余公积（贷）", statutory);
    w.amount("利润分配-提取任意盈余公积（贷）", discretionary);
    w.amount("利润分配-分配优先股利（贷）", preferred);
    w.amount("利润分配-分配普通股利（贷）", ordinary);
}

WindowDef define() {
    FormBuilder b("Form141");
    b.field("Text3", "年初亏损")
        .field("Text5", "提取法定盈余公积")
        .field("Text6", "提取任意盈余公积")
        .field("Text7", "分配优先股利")
        .field("Text8", "分配普通股利")
        .field("Text1", "本年利润-净利润")
        .field("Text2", "年初余额-净利润");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form141, define);

}  // namespace kelmora::form141
