// Kelmora — inventory found over or short at a stock-take.  A shortage is
// printed twice, as a general taxpayer and as a small-scale taxpayer would
// book it, each before and after approval.
#include "core/window_registry.h"

namespace kelmora::form25 {

// A shortage as one kind of taxpayer books it: the scrap back into stock,
// the loss with its input VAT to the suspense account, and after approval
// the suspense account cleared against the insurer, the storekeeper and
// non-operating expense.
struct Shortage {
    Num scrap, net, vat, suspense, writeOff, insurer, storekeeper;
};

enum class Taxpayer { General, SmallScale };

void printShortage(Window& w, const Shortage& s, Taxpayer taxpayer) {
    const bool smallScale = taxpayer == Taxpayer::SmallScale;
    w.text(smallScale ? "盘亏（小规模纳税人）" : "盘亏（一般纳税人）");
    w.text("批准前");
    w.amount("库存商品（借）", s.scrap);
    w.amount("库存商品（贷）", s.scrap);
    w.blank();
    w.amount("待处理财产损溢-待处理流动资产损溢（借）", s.suspense);
    if (smallScale) {
        // The small-scale taxpayer's credit line carries the whole suspense
        // amount under its own label.
        w.amount("应交税费-应交增值税（进）(贷)", s.suspense);
    } else {
        w.amount("库存商品（贷）", s.net);
        w.amount("应交税费-应交增值税（进）（贷）", s.vat);
    }
    w.blank();
    w.text("批准后");
    w.amount("营业外支出-存货盘亏（借）", s.writeOff);
    w.amount("其他应收款-保险公司（借）", s.insurer);
    w.amount("其他应收款-责任人（借）", s.storekeeper);
    w.amount("待处理财产损溢-待处理流动资产损溢（贷）", s.suspense);
}

void compute(Window& w) {
    const Num surplus = w.field("Text1"), totalLoss = w.field("Text2"), scrap = w.field("Text3"),
              rate = w.field("Text4"), insurer = w.field("Text5"), storekeeper = w.field("Text6");
    if (surplus > 0) {
        w.text("存货盘盈");
        w.text("批准前");
        w.amount("库存商品（借）", surplus);
        w.amount("待处理财产损溢-待处理流动资产损溢（贷）", surplus);
        w.blank();
        w.text("批准后");
        w.amount("待处理财产损溢-待处理流动资产损溢（借）", surplus);
        w.amount("库存商品（贷）", surplus);
    }
    if (totalLoss > 0) {
        const Num net = totalLoss - scrap;
        const Num vat = net * rate;
        const Num suspense = net + vat;
        const Num writeOff = net + vat - insurer - storekeeper;
        const Shortage shortage{scrap, net, vat, suspense, writeOff, insurer, storekeeper};
        printShortage(w, shortage, Taxpayer::General);
        w.blank();
        w.blank();
        w.blank();
        printShortage(w, shortage, Taxpayer::SmallScale);
    }
}

WindowDef define() {
    FormBuilder b("Form25");
    b.heading("存货盘盈").field("Text1", "盘盈");
    b.heading("存货盘亏");
    b.beginFrame("Frame1", "库存商品损失").field("Text2", "总损失").field("Text3", "残料价值").endFrame();
    b.field("Text4", "增值税税率");
    b.beginFrame("Frame2", "其他应收款").field("Text5", "保险赔偿").field("Text6", "管理员赔偿").endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form25, define);

}  // namespace kelmora::form25
