// Kelmora — the surplus reserve appropriated, used to cover losses and
// turned into share capital.
#include "core/window_registry.h"

namespace kelmora::form149 {

void compute(Window& w) {
    const Num profit = w.field("Text1"), opening = w.field("Text2"), ratio = w.field("Text3"),
              cover = w.field("Text4"), capitalised = w.field("Text5");
    // Only a profitable year appropriates, whatever was brought forward.
    if (profit > 0) {
        const Num reserve = (opening + profit) * ratio;
        w.text("提取盈余公积");
        w.amount("利润分配-盈余公积（借）", reserve);
        w.amount("盈余公积-法定盈余公积", reserve);
        w.blank();
    }
    if (cover > 0) {
        w.text("弥补亏损");
        w.amount("盈余公积（借）", cover);
        w.amount("利润分配-盈余公积补亏（贷）", cover);
    }
    if (capitalised > 0) {
        w.text("转增股本");
        w.amount("盈余公积（借）", capitalised);
        w.amount("股本（贷）", capitalised);
    }
}

WindowDef define() {
    FormBuilder b("Form149");
    b.heading("提取盈余公积").field("Text1", "净利润").field("Text2", "年初未分配利润").field("Text3", "提取比例");
    b.heading("盈余公积补亏").field("Text4", "盈余公积补亏");
    b.heading("盈余公积转增资本").field("Text5", "转增资本");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form149, define);

}  // namespace kelmora::form149
