// Kelmora — the workbook page's words: the desktop's own, for the same
// dialog, window and menus.
#pragma once

namespace kelmora::web {

inline constexpr char kBookTexts[] = R"json({"sides":["借","贷","？"],"postAction":"记入凭证…","postTitle":"记入凭证 — %1","date":"日期","book":"账簿","untitled":"（无标题）","summary":"摘要","sideTip":"借方或贷方","notPosted":"不记入","nothingPrinted":"这个窗口没有打印出可以记账的分录。","post":"记账","cancel":"取消","unbalanced":"不平衡：%1。","balanced":"平衡：借方 %1，贷方 %2。","wrongBlocks":"第 %1 笔不平衡：请选定借贷方向或改正金额，或者不选它。","listSep":"、","noneChosen":"没有选定要记账的分录。","chosen":"选定的 %1 笔分录各记为一张凭证。","posted":"已记入凭证 %1。","menuViews":"凭证、总账和试算平衡表…","menuNew":"新建账簿…","menuOpen":"打开账簿…","title":"账簿","file":"文件","trialWord":"试算平衡表","vouchersWord":"凭证","exportCsv":"导出%1CSV…","printWhat":"打印%1…","edit":"编辑","close":"关闭","deleteVoucher":"删除凭证","undoDelete":"撤销删除","delete":"删除","undo":"撤销","vouchersTab":"凭证","ledgerTab":"总账","openingButton":"期初余额…","trialTab":"试算平衡表","windowTitle":"账簿 — %1","ledgerTitle":"明细账：%1","openingTitle":"期初余额","firstLevel":"一级科目","direction":"方向","amount":"金额","ok":"确定","notANumber":"金额“%1”不是一个数。","vouchersPrintTitle":"记账凭证","trialPrintTitle":"试算平衡表","balancedWord":"平衡","unbalancedWord":"不平衡","openTitle":"打开账簿","defaultFile":"账簿.kbook","indentDebit":"　","indentCredit":"　　　","openingRow":"期初","accountHeads":["科目","借或贷","期初余额","本期借方","本期贷方","借或贷","期末余额"],"trialHeads":["科目","期初借方","期初贷方","本期借方","本期贷方","期末借方","期末贷方"],"voucherHeads":["凭证号","日期","摘要／科目","借方","贷方"],"ledgerHeads":["凭证号","日期","摘要","借方","贷方","借或贷","余额"],"exportBook":"导出账簿…"})json";
// What the posting dialog says of an amount that is not a number: before and after it.
inline constexpr char kNotNumberBefore[] = "金额“", kNotNumberAfter[] = "”不是一个数";
// The same words for what the model answers itself.
inline constexpr char kUnbalanced[] = "不平衡：%1。";
inline constexpr char kBalanced[] = "平衡：借方 %1，贷方 %2。";
inline constexpr char kPosted[] = "已记入凭证 %1。";
inline constexpr char kListSep[] = "、";
inline constexpr char kNoneChosen[] = "没有选定要记账的分录。";
inline constexpr char kNotANumber[] = "金额“%1”不是一个数。";
inline constexpr char kOpeningRow[] = "期初";
inline constexpr char kIndentDebit[] = "　";
inline constexpr char kIndentCredit[] = "　　　";
inline constexpr char kDefaultFile[] = "账簿.kbook";

}  // namespace kelmora::web
