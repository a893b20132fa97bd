// Kelmora — cash found over or short at a count.
#include "core/window_registry.h"

namespace kelmora::form2 {

void compute(Window& w) {
    const Num surplus = w.field("Text1"), shortage = w.field("Text2"), compensation = w.field("Text3");
    if (surplus > 0) {
        w.text("现金盘盈");
        w.amount("库存现金（借）", surplus);
        w.amount("待处理财产损溢-待处理流动资产损溢（贷）", surplus);
        w.blank();
        w.text("处理后");
        w.amount("待处理财产损溢-待处理流动资产损溢（借）", surplus);
        w.amount("营业外收入-现金溢余（贷）", surplus);
    }
    if (shortage > 0) {
        w.text("现金盘亏");
        w.amount("待处理财产损溢-待处理流动资产损溢（借）", shortage);
        w.amount("库存现金（贷）", shortage);
        w.blank();
        w.text("经批准后");
        w.amount("管理费用-现金短缺（借）", shortage - compensation);
        w.amount("其他应收款（借）", compensation);
        w.amount("待处理财产损溢-待处理流动资产损溢（贷）", shortage);
        w.blank();
        w.text("收到出纳赔款");
        w.amount("库存现金（借）", compensation);
        w.amount("其他应收款-出纳（贷）", compensation);
    }
}

WindowDef define() {
    FormBuilder b("Form2");
    b.heading("现金盘盈").field("Text1", "现金多余");
    b.heading("现金盘亏").field("Text2", "现金短缺").field("Text3", "出纳赔款");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form2, define);

}  // namespace kelmora::form2
