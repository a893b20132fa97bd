// Kelmora — a fixed asset built in-house from project materials, own products
// and own labour, then installed.
#include "core/window_registry.h"

namespace kelmora::form41 {

void compute(Window& w) {
    const Num materials = w.field("Text1"), materialsVat = w.field("Text2"), ownProducts = w.field("Text3"),
              wages = w.field("Text4"), installation = w.field("Text5"), installationVat = w.field("Text6");
    w.text("购入工程物资");
    w.amount("工程物资（借）", materials);
    w.amount("应交税费-应交增值税（进）（借）", materialsVat);
    w.amount("银行存款（贷）", materialsVat + materials);
    w.blank();
    w.text("领用全部物资");
    w.amount("在建工程（借）", materials);
    w.amount("工程物资（贷）", materials);
    w.blank();
    w.text("生产实际成本");
    w.amount("在建工程（借）", ownProducts);
    w.amount("库存商品（贷）", ownProducts);
    w.blank();
    w.text("分配薪酬");
    w.amount("在建工程（借）", wages);
    w.amount("应付职工薪酬（贷）", wages);
    w.blank();
    w.text("支付安装费");
    w.amount("在建工程（借）", installation);
    w.amount("应交税费-应交增值税（进）（借）", installationVat);
    w.amount("银行存款（贷）", installationVat + installation);
    w.blank();
    const Num assetValue = ownProducts + materials + wages + installation;
    w.text("转入固定资产成本");
    w.amount("固定资产（借）", assetValue);
    w.amount("在建工程（贷）", assetValue);
}

WindowDef define() {
    FormBuilder b("Form41");
    b.field("Text1", "工程物资").field("Text2", "工程增值税").field("Text3", "生产实际成本").field("Text4", "工人工资");
    b.beginFrame("Frame1", "安装费").field("Text5", "安装费").field("Text6", "安装增值税").endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form41, define);

}  // namespace kelmora::form41
