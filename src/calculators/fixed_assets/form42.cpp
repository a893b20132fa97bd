// Kelmora — a fixed asset built by a contractor: advance, final payment,
// completion.
#include "core/window_registry.h"

namespace kelmora::form42 {

void compute(Window& w) {
    const Num advance = w.field("Text1"), advanceVat = w.field("Text2"), finalPayment = w.field("Text3"),
              finalVat = w.field("Text4");
    w.text("出包工程");
    w.amount("在建工程（借）", advance);
    w.amount("应交税费-应交增值税（进）（借）", advanceVat);
    w.amount("银行存款（贷）", advanceVat + advance);
    w.blank();
    w.text("补付工程款");
    w.amount("在建工程（借）", finalPayment);
    w.amount("应交税费-应交增值税（进）（借）", finalVat);
    // This credit line has always been printed without its side.
    w.amount("银行存款", finalVat + finalPayment);
    w.blank();
    const Num assetValue = finalPayment + advance;
    w.text("工程完工");
    w.amount("固定资产（借）", assetValue);
    w.amount("在建工程（贷）", assetValue);
}

WindowDef define() {
    FormBuilder b("Form42");
    b.field("Text1", "固定资产款").field("Text2", "工程增值税额").field("Text3", "补付款").field("Text4", "补付增值税");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form42, define);

}  // namespace kelmora::form42
