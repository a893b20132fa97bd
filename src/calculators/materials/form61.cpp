// Kelmora — materials issued to production, overheads, administration,
// selling and construction in progress.
#include "core/window_registry.h"

namespace kelmora::form61 {

void compute(Window& w) {
    const Num production = w.field("Text1"), overheads = w.field("Text2"), administration = w.field("Text3"),
              selling = w.field("Text4"), construction = w.field("Text5"), vat = w.field("Text6");
    w.text("领用原材料");
    w.amount("生产成本（借）", production);
    w.amount("制造费用（借）", overheads);
    w.amount("管理费用（借）", administration);
    w.amount("销售费用（借）", selling);
    w.amount("在建工程（借）", construction);
    w.amount("增值税费用（借）", vat);
    const Num total = overheads + production + administration + selling + construction;
    w.amount("原材料（贷）", total);
    w.amount("应交税金（贷）", vat);
}

WindowDef define() {
    FormBuilder b("Form61");
    b.beginFrame("Frame1", "成本类");
    // The first three captions are one label array; each stands where a
    // field's own caption would.
    b.arrayField("Text1", "Label1", 0, "生产成本")
        .arrayField("Text2", "Label1", 1, "制造费用")
        .arrayField("Text3", "Label1", 2, "管理费用");
    b.field("Text4", "销售费用").endFrame();
    b.field("Text5", "在建工程").field("Text6", "增值税");
    // Compute and cancel are members of button arrays; the handlers are keyed
    // by name and serve every index alike.
    b.standardButtons(compute, "确定", 0, 1);
    return b.build();
}

KELMORA_WINDOW(Form61, define);

}  // namespace kelmora::form61
