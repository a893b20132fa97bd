// Kelmora — the web page's own words for its workbook: what only a browser
// has (its storage, a file chosen to replace the one it holds).
#pragma once

namespace kelmora::web {

inline constexpr char kBookPageTexts[] =
    R"json({"deleted":"已删除凭证 %1。","restored":"已恢复凭证 %1。","openingSet":"期初余额已记入：%1。",)json"
    R"json("opened":"已打开账簿“%1”，共 %2 张凭证。",)json"
    R"json("full":"浏览器的存储空间已满，这次改动未能保存；账簿仍是改动之前的样子。",)json"
    R"json("refused":"浏览器不允许这个网页保存数据，这次改动未能保存；账簿仍是改动之前的样子。",)json"
    R"json("notKept":"浏览器不允许这个网页保存数据：账簿无法保存在这个浏览器中。",)json"
    R"json("replace":"打开“%1”将替换这个浏览器中的账簿“%2”（%3 张凭证）。要替换吗？（可以先用“导出账簿…”留一份。）",)json"
    R"json("replaceButton":"替换",)json"
    R"json("where":"账簿保存在这个浏览器中：%1",)json"
    R"json("ledgerHint":"点科目查看它的明细账；点明细账中的凭证号查看那张凭证。",)json"
    R"json("loadFailed":"无法载入账簿：%1"})json";

}  // namespace kelmora::web
