// Kelmora — repairs of fixed assets, charged to overheads and administration.
#include "core/window_registry.h"

namespace kelmora::form48 {

void compute(Window& w) {
    const Num equipment = w.field("Text1"), spareParts = w.field("Text2"), staff = w.field("Text3"),
              office = w.field("Text4");
    w.amount("管理费用-修理费（借）", office);
    w.amount("制造费用-修理费（借）", equipment);
    w.amount("原材料-修理用备件（贷）", spareParts);
    const Num paid = office + equipment - spareParts;
    w.amount("银行存款（贷）", paid);
    // The repair staff's pay is an overhead of the repairs, still owed to them.
    if (staff > 0) {
        w.blank();
        w.text("修理人员费用");
        w.amount("制造费用-修理费（借）", staff);
        w.amount("应付职工薪酬（贷）", staff);
    }
}

WindowDef define() {
    FormBuilder b("Form48");
    b.field("Text1", "器械维修费用").field("Text2", "修理备件费用").field("Text3", "人员费用").field("Text4", "办公楼维修费用");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form48, define);

}  // namespace kelmora::form48
