// Kelmora — loss of work in progress and of finished products, with the
// scrap salvaged, the input VAT on the lost material reversed and the
// insurer's compensation.
#include "core/window_registry.h"

namespace kelmora::form27 {

void compute(Window& w) {
    const Num wipLoss = w.field("Text1"), productLoss = w.field("Text2"), wipMaterial = w.field("Text3"),
              productMaterial = w.field("Text4"), wipScrap = w.field("Text5"), productScrap = w.field("Text6"),
              insurer = w.field("Text7"), rate = w.field("Text8");
    const Num wipNet = wipLoss - wipScrap;
    const Num productNet = productLoss - productScrap;
    const Num vat = (productMaterial + wipMaterial - (productScrap + wipScrap)) * rate;
    const Num suspense = wipNet + productNet + vat;
    const Num writeOff = suspense - insurer;
    const Num scrapTotal = productScrap + wipScrap;

    w.text("批准前");
    w.amount("原材料-残料（借）", scrapTotal);
    w.amount("生产成本（贷）", wipScrap);
    w.amount("库存商品（贷）", productScrap);
    w.blank();
    w.text("批准后");
    w.amount("待处理财产损溢-待处理流动财产损溢（借）", suspense);
    w.amount("生产成本（贷)", wipNet);
    w.amount("库存商品（贷）", productNet);
    w.amount("应交税费-应交增值税（进）（贷）", vat);
    w.blank();
    w.amount("营业外支出-非常损失（借）", writeOff);
    w.amount("其他应收款-保险公司（借）", insurer);
    w.amount("待处理财产损溢-待处理流动财产损溢（贷）", suspense);
}

WindowDef define() {
    FormBuilder b("Form27");
    b.beginFrame("Frame1", "在产品损失").field("Text1", "在产品损失").field("Text5", "在产品残料").endFrame();
    b.field("Text3", "在产品材料成本").field("Text4", "产品成本").field("Text7", "保险赔偿").field("Text8", "增值税税率");
    b.beginFrame("Frame2", "产品损失").field("Text2", "产品损失").field("Text6", "产品残料").endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form27, define);

}  // namespace kelmora::form27
