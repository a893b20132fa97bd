// Kelmora — a fixed asset bought and installed before it is put to use.
#include "core/window_registry.h"

namespace kelmora::form40 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), transport = w.field("Text3"),
              transportRate = w.field("Text4"), materials = w.field("Text5"), materialsVat = w.field("Text6"),
              wages = w.field("Text7"), payment = w.field("Text8");
    const Num gross = vat + price + transport;
    const Num deductible = transportRate * transport + vat;
    const Num construction = gross - deductible;
    const Num paid = payment + transport;
    const Num payable = gross - paid;
    w.text("购买安装");
    w.amount("在建工程（借）", construction);
    w.amount("应交税费-应交增值税（进）（借）", deductible);
    w.amount("银行存款（贷）", paid);
    w.amount("应付账款（贷）", payable);
    w.blank();
    // Materials bought for production and used on the installation take
    // their input VAT with them: it is transferred out and becomes part of
    // the installation cost.
    Num installation = wages + materials;
    if (materialsVat > 0) installation = installation + materialsVat;
    w.text("领用材料");
    w.amount("在建工程（借）", installation);
    w.amount("原材料（贷）", materials);
    if (materialsVat > 0) w.amount("应交税费-应交增值税（进项税额转出）（贷）", materialsVat);
    w.amount("应付职工薪酬（贷）", wages);
    w.blank();
    const Num assetValue = construction + installation;
    w.text("安装交付使用");
    w.amount("固定资产（借）", assetValue);
    w.amount("在建工程（贷）", assetValue);
}

WindowDef define() {
    FormBuilder b("Form40");
    b.field("Text1", "固定资产价格").field("Text5", "安装领用材料");
    b.beginFrame("Frame1", "增值税")
        .field("Text3", "安装运输费")
        .field("Text4", "安装运输增值税率")
        .field("Text2", "增值税")
        .field("Text6", "材料增值税")
        .endFrame();
    b.field("Text7", "安装工资").field("Text8", "支付价款");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form40, define);

}  // namespace kelmora::form40
