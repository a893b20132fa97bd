// The statement windows filled from a workbook (填入报表窗口): their own
// totals and analysis then stand on the learner's books.
#include <gtest/gtest.h>

#include "book/journal.h"
#include "book/statements.h"
#include "core/app.h"

using namespace kelmora;
using namespace kelmora::book;

namespace {

// Openings: 银行存款 100000, 库存商品 10000 against 实收资本 110000.  March:
// goods costing 6000 sold for 10000 + VAT 1300 on account; 500 of office
// costs from the bank.  At the end of March:
//   货币资金 99500 + 应收账款 11300 + 存货 4000 = 114800 (at the year's start 110000)
//   应交税费 1300; 实收资本 110000; 未分配利润 10000 − 6000 − 500 = 3500
Workbook month() {
    Workbook b;
    b.setOpening("银行存款", 10000000);
    b.setOpening("库存商品", 1000000);
    b.setOpening("实收资本", -11000000);
    b.post({{"2026-03-05", "销售", {{Side::Debit, "应收账款", 1130000}, {Side::Credit, "主营业务收入", 1000000}, {Side::Credit, "应交税费", 130000}}},
            {"2026-03-05", "成本", {{Side::Debit, "主营业务成本", 600000}, {Side::Credit, "库存商品", 600000}}},
            {"2026-03-09", "办公费", {{Side::Debit, "管理费用", 50000}, {Side::Credit, "银行存款", 50000}}}});
    return b;
}

Cents cents(const Window& w, const std::string& box) {
    Cents c = -1;
    EXPECT_EQ(readCents(w.textOf(box), c), CentsRead::Ok) << box << " holds [" << w.textOf(box) << "]";
    return c;
}

void fill(App& app, const BoxFigures& f) {
    Window& w = *app.window(f.form);
    for (const auto& [box, text] : f.boxes) w.typeText(box, text);
}

TEST(FormFill, Form120TotalsAndRatiosFromTheBalanceSheet) {
    const Workbook b = month();
    SilentPort port;
    App app(port);
    fill(app, form120Figures(b.journal(), "2026-03"));
    Window& w = *app.window("Form120");
    app.open("Form120");
    app.click(w, "Command1");  // 确定: the window's own totals
    EXPECT_EQ(cents(w, "Text33"), 11000000);   // 资产合计, 年初数
    EXPECT_EQ(cents(w, "Text66"), 11480000);   // 年末数
    EXPECT_EQ(cents(w, "Text99"), 11000000);   // 负债及所有者权益合计
    EXPECT_EQ(cents(w, "Text132"), 11480000);
    EXPECT_EQ(cents(w, "Text113"), 130000);    // 流动负债合计, 年末
    EXPECT_EQ(cents(w, "Text130"), 11350000);  // 所有者权益合计, 年末: 110000 + 3500
    app.click(w, "Command3");  // 分析: 年末流动比率 114800 / 1300 = 88.3077
    bool found = false;
    const Surface& s = w.surface();
    for (std::size_t r = 0; r < s.rowCount(); ++r) {
        if (s.row(r).rfind("年末流动比率", 0) != 0) continue;
        Cents ratio = 0;
        ASSERT_EQ(readCents(s.row(r).substr(s.amountAt(r)), ratio), CentsRead::Ok);
        EXPECT_EQ(ratio, 8831);
        found = true;
    }
    EXPECT_TRUE(found);
}

TEST(FormFill, Form119IncomeAndShortBalanceSheet) {
    const Workbook b = month();
    SilentPort port;
    App app(port);
    fill(app, form119Figures(b.journal(), "2026-03"));
    Window& w = *app.window("Form119");
    app.open("Form119");
    app.click(w, "Command1");
    EXPECT_EQ(cents(w, "Text17"), 400000);    // 主营业务利润: 10000 − 6000
    EXPECT_EQ(cents(w, "Text26"), 350000);    // 净利润: 4000 − 500
    EXPECT_EQ(cents(w, "Text53"), 11000000);  // 总计, 期初
    EXPECT_EQ(cents(w, "Text64"), 11480000);  // 总计, 期末
    EXPECT_EQ(cents(w, "Text75"), 11000000);
    EXPECT_EQ(cents(w, "Text86"), 11480000);
}

}  // namespace
