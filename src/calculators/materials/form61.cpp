// Kelmora — materials issued to production, overheads, administration,
// selling and construction in progress.
#include "core/app.h"

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
    using namespace layout;
    FormBuilder b("Form61");
    b.beginFrame("Frame1", "成本类");
    // The first three captions are one label array; each stands where a
    // field's own caption would.
    const struct {
        const char* box;
        const char* caption;
    } arrayed[] = {{"Text1", "生产成本"}, {"Text2", "制造费用"}, {"Text3", "管理费用"}};
    for (int i = 0; i < 3; ++i) {
        b.place(ControlDef{"Label1", i, ControlKind::Label, arrayed[i].caption, {b.x(), b.y() + 3, kLabelWidth, 20}});
        b.field(arrayed[i].box, "");
    }
    b.field("Text4", "销售费用").endFrame();
    b.field("Text5", "在建工程").field("Text6", "增值税");
    // Compute and cancel are members of button arrays; the handlers are keyed
    // by name and serve every index alike.
    const int top = b.y() + 6;
    b.place(ControlDef{"Command1", 0, ControlKind::Button, "确定", {b.x(), top, kButtonWidth, kButtonHeight}});
    b.place(ControlDef{"Command2", 1, ControlKind::Button, "取消",
                       {b.x() + kButtonWidth + 8, top, kButtonWidth, kButtonHeight}});
    b.place(ControlDef{"Command3", -1, ControlKind::Button, "退出",
                       {b.x() + 2 * (kButtonWidth + 8), top, kButtonWidth, kButtonHeight}});
    b.skip(6 + kButtonHeight + 8);
    b.on("Command1", compute).on("Command2", FormBuilder::cancel).on("Command3", FormBuilder::exit);
    return b.build();
}

KELMORA_WINDOW(Form61, define);

}  // namespace kelmora::form61
