// Kelmora — the main window: title, name box and its four buttons.  The left
// half and the top edge stay free for the formula lines of the glossary.
#include "core/app.h"
#include "shell/keyword_table.h"

namespace kelmora::form1 {

WindowDef define() {
    FormBuilder b("Form1");
    b.menuBar().closeControl("Command4");
    // Controls in tab order: 退出, 取消, 清空, 确定, then the text box, so the
    // focus rests on 退出 when the window first opens.
    b.place({"Command4", -1, ControlKind::Button, "退出", {700, 150, 120, 32}});
    b.place({"Command3", -1, ControlKind::Button, "取消", {700, 110, 120, 32}});
    b.place({"Command2", -1, ControlKind::Button, "清空", {560, 150, 120, 32}});
    b.place({"Command1", -1, ControlKind::Button, "确定", {560, 110, 120, 32}});
    b.place({"Text1", -1, ControlKind::TextBox, "", {560, 72, 260, 28}});
    b.place({"Label1", -1, ControlKind::Heading, "Kelmora", {560, 40, 260, 24}});
    b.on("Command1", [](Window& w) { lookUpKeyword(w.app(), w.textOf("Text1")); });
    b.on("Command2", [](Window& w) { w.writeText("Text1", ""); });
    b.on("Command3", [](Window& w) { w.clear(); });
    b.on("Command4", [](Window& w) { w.app().endProgram(); });
    b.minSize(860, 400);
    WindowDef def = b.build();
    def.menu = menuNodes();
    def.completions["Text1"] = completeKeyword;
    return def;
}

KELMORA_WINDOW(Form1, define);

}  // namespace kelmora::form1
