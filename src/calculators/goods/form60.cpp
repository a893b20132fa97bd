// Kelmora — damaged products: the salvage taken back as material, and the
// loss net of the insurer's compensation, with the input VAT on the material
// consumed reversed.
#include "core/window_registry.h"

namespace kelmora::form60 {

void compute(Window& w) {
    const Num number = w.field("Text1"), actualCost = w.field("Text2"), material = w.field("Text3"),
              salvage = w.field("Text4"), insurer = w.field("Text5"), rate = w.field("Text6");
    w.text("收回价格");
    w.amount("原材料（借）", salvage);
    w.amount("库存商品（贷）", salvage);
    w.blank();
    const Num vat = (material * number - salvage) * rate;
    const Num loss = number * actualCost - salvage;
    const Num writeOff = vat + loss - insurer;
    w.text("获赔保险");
    w.amount("营业外支出-非常损失（借）", writeOff);
    w.amount("其他应收款-保险公司（借）", insurer);
    w.amount("库存商品（贷）", loss);
    w.amount("应交税金-应交增值税（进）（贷）", vat);
}

WindowDef define() {
    FormBuilder b("Form60");
    // 产品数量, 实际成本 and 耗用材料 are the members 0, 1 and 2 of Label1.
    b.beginFrame("Frame1", "增值税/产品价格");
    b.arrayField("Text1", "Label1", 0, "产品数量");
    b.arrayField("Text3", "Label1", 2, "耗用材料");
    b.field("Text4", "回收价格(总)").field("Text6", "增值税税率");
    b.endFrame();
    b.arrayField("Text2", "Label1", 1, "实际成本");
    b.field("Text5", "保险赔偿");
    b.standardButtons(compute, "确定", 0, 1);  // Command1(0), Command2(1)
    return b.build();
}

KELMORA_WINDOW(Form60, define);

}  // namespace kelmora::form60
