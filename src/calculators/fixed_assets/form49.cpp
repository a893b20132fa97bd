// Kelmora — a fixed asset rebuilt with project materials, production
// materials and a contractor, less what the demolished parts fetched.
#include "core/window_registry.h"

namespace kelmora::form49 {

void compute(Window& w) {
    // 工程承包费用 is read with the rest but no entry of this window books it.
    const Num contract = w.field("Text1"), advance = w.field("Text2"), projectMaterials = w.field("Text3"),
              projectVat = w.field("Text4"), production = w.field("Text5"), productionVat = w.field("Text6"),
              demolition = w.field("Text7"), finalPayment = w.field("Text8");
    (void)contract;
    const Num materialsCost = projectVat + projectMaterials;
    w.text("购入工程物资");
    w.amount("工程物资（借）", materialsCost);
    w.amount("银行存款（贷）", materialsCost);
    w.blank();
    w.text("改建领用");
    w.amount("在建工程（借）", materialsCost);
    w.amount("工程物资（贷）", materialsCost);
    w.blank();
    w.text("预付承包工程款");
    w.amount("在建工程（借）", advance);
    w.amount("银行存款（贷）", advance);
    w.blank();
    const Num productionCost = productionVat + production;
    w.text("领用企业生产用材料");
    w.amount("在建工程（借）", productionCost);
    w.amount("原材料（贷）", production);
    w.amount("应交税费-应交增值税（进）（贷）", productionVat);
    w.blank();
    w.text("拆除材料变价收入");
    w.amount("库存现金（借）", demolition);
    w.amount("在建工程（贷）", demolition);
    w.blank();
    w.text("工程补付款");
    w.amount("在建工程（借）", finalPayment);
    w.amount("银行存款（贷）", finalPayment);
    w.blank();
    const Num assetValue = materialsCost + advance + productionCost - demolition + finalPayment;
    w.text("改建固定资产");
    w.amount("固定资产（借）", assetValue);
    w.amount("在建工程（贷）", assetValue);
}

WindowDef define() {
    FormBuilder b("Form49");
    b.field("Text1", "工程承包费用").field("Text2", "预付工程款");
    b.beginFrame("Frame1", "工程物资").field("Text3", "购入工程物资").field("Text4", "增值税").endFrame();
    b.beginFrame("Frame2", "在建工程").field("Text5", "领用生产材料").field("Text6", "生产材料增值税").endFrame();
    b.field("Text7", "拆除收入").field("Text8", "补付款");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form49, define);

}  // namespace kelmora::form49
