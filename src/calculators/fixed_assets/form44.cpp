// Kelmora — fixed assets found over or short at a stock-taking, before and
// after the loss or gain is approved.
#include "core/window_registry.h"

namespace kelmora::form44 {

void compute(Window& w) {
    const Num gain = w.field("Text1"), cost = w.field("Text2"), depreciation = w.field("Text3");
    if (gain > 0) {
        w.text("盘盈固定资产");
        w.text("批准前");
        w.amount("固定资产（借）", gain);
        w.amount("待处理财产损溢（贷）", gain);
        w.blank();
        // Once approved the gain is income; the asset found stays on the books.
        w.text("批准后");
        w.amount("待处理财产损溢（借）", gain);
        w.amount("营业外收入（贷）", gain);
    }
    if (cost > 0) {
        w.text("盘亏固定资产");
        w.text("批准前");
        const Num bookValue = cost - depreciation;
        w.amount("待处理财产损溢（借）", bookValue);
        w.amount("累计折旧（借）", depreciation);
        // Printed as it has always read, without the closing parenthesis.
        w.amount("固定资产（贷", cost);
        w.blank();
        w.text("批准后");
        w.amount("营业外支出（借）", bookValue);
        w.amount("待处理财产损溢（贷）", bookValue);
    }
}

WindowDef define() {
    FormBuilder b("Form44");
    b.heading("盘盈固定资产").field("Text1", "盘盈设备");
    b.heading("盘亏固定资产").field("Text2", "账面原价").field("Text3", "计提折旧累计");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form44, define);

}  // namespace kelmora::form44
