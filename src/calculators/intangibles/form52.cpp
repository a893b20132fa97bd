// Kelmora — research and development costs, then a successful patent
// application capitalising part of them.
#include "core/window_registry.h"

namespace kelmora::form52 {

void compute(Window& w) {
    const Num development = w.field("Text1"), materials = w.field("Text2"), wages = w.field("Text3"),
              other = w.field("Text4"), registration = w.field("Text5"), lawyer = w.field("Text6"),
              capitalised = w.field("Text7");
    // The debit is the total as typed; it is not checked against the three
    // credits.
    w.text("研发费用");
    w.amount("研发支出（借）", development);
    w.amount("原材料（贷）", materials);
    w.amount("应付职工薪酬（贷）", wages);
    w.amount("银行存款（贷）", other);
    w.blank();
    w.text("申请成功");
    w.amount("无形资产（借）", lawyer + registration + capitalised);
    w.amount("银行存款（贷）", lawyer + registration);
    w.amount("研发支出（贷）", capitalised);
}

WindowDef define() {
    FormBuilder b("Form52");
    b.field("Text1", "开发费用").field("Text2", "研发材料费").field("Text3", "人员工资").field("Text4", "其他费用");
    b.beginFrame("Frame1", "银行存款").field("Text5", "专利登记费").field("Text6", "律师费用").endFrame();
    b.field("Text7", "资本化支出");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form52, define);

}  // namespace kelmora::form52
