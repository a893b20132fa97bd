// Kelmora — the head office transfers materials to a branch at a transfer
// price with VAT; the branch takes them in at the transfer price expressed in
// foreign currency.  Without a positive rate there is no branch value, and the
// branch's lines show their accounts alone.
#include "core/window_registry.h"

namespace kelmora::form115 {

void compute(Window& w) {
    const Num costPrice = w.field("Text1"), rate = w.field("Text2"), transferPrice = w.field("Text3"),
              vatRate = w.field("Text4");
    const Num vat = vatRate * transferPrice;
    const Num revenue = transferPrice + vat;
    Num branchValue;  // unset unless the rate is positive
    if (rate > 0) branchValue = transferPrice / rate;
    w.text("总公司调拨");
    w.amount("应收账款-分公司（借）", transferPrice);
    w.amount("应交税费-应交增值税（销）（借）", vat);
    w.amount("主营业务收入（贷）", revenue);
    w.blank();
    w.text("结转成本");
    w.amount("主营业务成本（借）", costPrice);
    w.amount("原材料（贷）", costPrice);
    w.blank();
    w.text("分公司账务");
    w.amount("原材料（借）", branchValue);
    w.amount("内部往来-分公司（贷）", branchValue);
}

WindowDef define() {
    FormBuilder b("Form115");
    b.field("Text1", "物资原价").field("Text2", "当日汇率").field("Text3", "物资调拨价").field("Text4", "增值税税率");
    b.standardButtons(compute, "总公司承包调拨");
    return b.build();
}

KELMORA_WINDOW(Form115, define);

}  // namespace kelmora::form115
