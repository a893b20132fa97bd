// Kelmora — a company founded by four investors: know-how, a land-use
// right, raw materials and cash.
#include "core/window_registry.h"

namespace kelmora::form143 {

void compute(Window& w) {
    const Num technology = w.field("Text1"), technologyVat = w.field("Text2"), land = w.field("Text3"),
              landVat = w.field("Text4"), materials = w.field("Text5"), materialsVat = w.field("Text6"),
              cash = w.field("Text7");
    w.amount("银行存款（借）", cash);
    w.amount("无形资产-非专利技术（借）", technology);
    w.amount("无形资产-土地使用权（借）", land);
    w.amount("原材料（借）", materials);
    w.amount("应交税费-应交增值税（进）（借）", landVat + technologyVat + materialsVat);
    // Each investor's capital is the value contributed with its VAT.
    w.amount("实收资本-甲（贷）", technologyVat + technology);
    w.amount("实收资本-乙（贷）", landVat + land);
    w.amount("实收资本-丙（贷）", materialsVat + materials);
    w.amount("实收资本-丁（贷）", cash);
}

WindowDef define() {
    FormBuilder b("Form143");
    b.beginFrame("Frame1", "技术").field("Text1", "技术投资").field("Text2", "技术增值税").endFrame();
    b.beginFrame("Frame2", "土地").field("Text3", "土地投资").field("Text4", "土地增值税").endFrame();
    b.beginFrame("Frame3", "原材料").field("Text5", "原材料投资").field("Text6", "原材料增值税").endFrame();
    b.field("Text7", "货币投资");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form143, define);

}  // namespace kelmora::form143
