// Kelmora — undistributed profit: the year's profit carried forward, the
// reserve and the dividend, and what remains undistributed.
#include "core/window_registry.h"

namespace kelmora::form135 {

void compute(Window& w) {
    const Num opening = w.field("Text1"), profit = w.field("Text2"), reserve = w.field("Text3"),
              dividend = w.field("Text4");
    w.text("结转本年利润");
    w.amount("本年利润（借）", profit + opening);
    w.amount("利润分配-未分配利润（贷）", profit + opening);
    w.blank();
    w.text("发放股利");
    w.amount("利润分配-盈余公积（借）", reserve);
    w.amount("利润分配-应付利润（借）", dividend);
    w.amount("盈余公积（贷）", reserve);
    w.amount("应付利润（贷）", dividend);
    w.blank();
    w.text("同时");
    w.amount("利润分配-未分配利润（借）", dividend + reserve);
    w.amount("利润分配-盈余公积（贷）", reserve);
    w.amount("利润分配-应付利润（贷）", dividend);
    w.blank();
    w.amount("未分配利润（总）", (profit + opening) - (dividend + reserve));
}

WindowDef define() {
    FormBuilder b("Form135");
    b.field("Text1", "年初未分配利润").field("Text2", "本年净利润").field("Text3", "盈余公积").field("Text4", "现金股利");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form135, define);

}  // namespace kelmora::form135
