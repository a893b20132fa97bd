// Kelmora — the main window: title, name box and its four buttons.  The left
// half and the top edge stay free for the formula lines of the glossary.
#include "core/app.h"
#include "shell/keyword_table.h"

namespace kelmora::form1 {

WindowDef define() {
    FormBuilder b("Form1");
    b.menu(menuNodes()).closeControl("Command4");
    // The title, the name box under it, the buttons in two rows under that;
    // the left half of the window is the band for the formula lines.
    b.heading("Label1", "Kelmora");
    b.field("Text1", "");
    b.buttons({{.name = "Command1", .caption = "确定"}, {.name = "Command3", .caption = "取消"}});
    b.buttons({{.name = "Command2", .caption = "清空"}, {.name = "Command4", .caption = "退出"}});
    b.bandChars(30).bandLines(16);
    // 退出, 取消, 清空, 确定, then the text box, so the focus rests on 退出
    // when the window first opens.
    b.tabOrder({"Command4", "Command3", "Command2", "Command1", "Text1"});
    b.enterPresses("Command1");  // Enter in the name box looks it up
    b.on("Command1", [](Window& w) { lookUpKeyword(w.app(), w.textOf("Text1")); });
    b.on("Command2", [](Window& w) { w.writeText("Text1", ""); });
    b.on("Command3", [](Window& w) { w.clear(); });
    b.on("Command4", [](Window& w) { w.app().endProgram(); });
    b.completion("Text1", completeKeyword);
    return b.build();
}

KELMORA_WINDOW(Form1, define);

}  // namespace kelmora::form1
