// Kelmora — taxes and surcharges: booked to 税金及附加, paid, and the city
// tax and education surcharge that VAT and consumption tax give rise to.
// The derived surcharges are shown for reference only; the typed 城建税 and
// 教育费附加 are what the entries use.
#include "core/window_registry.h"

namespace kelmora::form127 {

void compute(Window& w) {
    const Num consumption = w.field("Text1"), resource = w.field("Text2"), city = w.field("Text3"),
              education = w.field("Text4"), property = w.field("Text5"), vehicle = w.field("Text6"),
              land = w.field("Text7"), vat = w.field("Text8"), culture = w.field("Text9");
    // VAT stays outside the total: it is not a charge to 税金及附加.
    const Num total = resource + consumption + city + education + property + vehicle + land + culture;
    w.text("计算税金及附加");
    w.amount("税金及附加（借）", total);
    w.amount("应交税费-消费税（贷）", consumption);
    w.amount("应交税费-资源税（贷）", resource);
    w.amount("应交税费-城建税（贷）", city);
    w.amount("应交税费-教育费附加（贷）", education);
    w.amount("应交税费-房产税（贷）", property);
    w.amount("应交税费-车船税（贷）", vehicle);
    w.amount("应交税费-土地税（贷）", land);
    w.amount("应交税费-文化税（贷）", culture);
    w.blank();
    w.text("交纳税金及附加");
    w.amount("应交税费-消费税（借）", consumption);
    w.amount("应交税费-资源税（借）", resource);
    w.amount("应交税费-城建税（借）", city);
    w.amount("应交税费-教育费附加（借）", education);
    w.amount("应交税费-房产税（借）", property);
    w.amount("应交税费-车船税（借）", vehicle);
    w.amount("应交税费-土地税（借）", land);
    w.amount("应交税费-文化税（借）", culture);
    w.amount("银行存款（贷）", total);
    const Num cityTax = (vat + consumption) * 0.07;
    const Num educationSurcharge = (vat + consumption) * 0.03;
    w.blank();
    w.amount("城市维护建设税", cityTax);
    w.amount("教育费附加", educationSurcharge);
}

WindowDef define() {
    FormBuilder b("Form127");
    // Two columns right of the band: the eight taxes at the right, VAT alone
    // at the left on the row of the last tax.
    b.beginColumns();
    for (int row = 1; row < 8; ++row) b.blankRow();
    b.field("Text8", "增值税");
    b.nextColumn();
    b.field("Text1", "消费税")
        .field("Text2", "资源税")
        .field("Text3", "城建税")
        .field("Text4", "教育费附加")
        .field("Text5", "房产税")
        .field("Text6", "车船税")
        .field("Text7", "土地税")
        .field("Text9", "文化税");
    b.standardButtons(compute);
    b.endColumns();
    return b.build();
}

KELMORA_WINDOW(Form127, define);

}  // namespace kelmora::form127
