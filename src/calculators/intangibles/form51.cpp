// Kelmora — a right of use and a fixed asset acquired together, then
// amortised and depreciated month by month.
#include "core/window_registry.h"

namespace kelmora::form51 {

void compute(Window& w) {
    const Num years = w.field("Text1"), right = w.field("Text2"), asset = w.field("Text3");
    w.text("取得使用权");
    w.amount("无形资产（借）", right);
    w.amount("银行存款（贷）", right);
    w.blank();
    w.text("固定资产交付使用");
    w.amount("固定资产（借）", asset);
    w.amount("银行存款（贷）", asset);
    w.blank();
    if (years > 0) {
        const Num amortisation = right / (years * 12);
        const Num depreciation = asset / (years * 12);
        w.text("摊销无形资产");
        w.amount("管理费用（借）", amortisation);
        w.amount("制造费用（借）", depreciation);
        w.amount("累计摊销（贷）", amortisation);
        w.amount("累计折旧（贷）", depreciation);
    }
}

WindowDef define() {
    FormBuilder b("Form51");
    b.field("Text1", "使用年限").field("Text2", "无形资产使用权").field("Text3", "固定资产价格");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form51, define);

}  // namespace kelmora::form51
