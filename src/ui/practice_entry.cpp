#include "ui/practice_entry.h"

#include <QAction>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringListModel>
#include <QVBoxLayout>

#include "book/money.h"
#include "core/window_names.h"
#include "core/window_registry.h"
#include "shell/keyword_table.h"
#include "ui/form_widget.h"
#include "ui/nested_loop.h"
#include "ui/practice_window.h"
#include "ui/practice_words.h"

namespace kelmora {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

void tell(QWidget* parent, const QString& text) {
    const NestedLoop loop;
    QMessageBox::warning(parent, QStringLiteral("Kelmora"), text);
}

QString nameOf(const std::string& form) {
    const WindowFactory* f = registeredWindow(form);
    return f ? q(displayName((*f)())) : q(form);
}

void showPractice(PracticeWindow* w) {
    w->show();
    w->raise();
    w->activateWindow();
}
}  // namespace

PracticeWindow* practise(QWidget* parent, const std::string& form) {
    if (practice::whyNotPractised(form)) {
        tell(parent, QStringLiteral("“%1”不能用来%2：它打印的分录里没有一笔借贷平衡，或者它的数字算不出分录。")
                         .arg(nameOf(form), practice_words::kPractise));
        return nullptr;
    }
    std::string seed = std::to_string(QRandomGenerator::global()->generate64());
    try {
        auto* w = new PracticeWindow(form, seed);
        showPractice(w);
        return w;
    } catch (const practice::PracticeError&) {
        tell(parent, QStringLiteral("“%1”不能用来%2。").arg(nameOf(form), practice_words::kPractise));
        return nullptr;
    }
}

PracticeWindow* practiseKeyword(QWidget* parent, const QString& keyword) {
    const std::string k = keyword.trimmed().toStdString();
    std::vector<std::string> forms;
    for (const KeywordRow& row : keywordTable())
        if (row.keyword == k && row.action == KeywordAction::OpenWindow) forms.emplace_back(row.argument);
    if (forms.empty()) {
        tell(parent, QStringLiteral("关键字“%1”不打开计算窗口。").arg(keyword.trimmed()));
        return nullptr;
    }
    for (const std::string& f : forms)
        if (!practice::whyNotPractised(f)) return practise(parent, f);
    return practise(parent, forms.front());  // says why not
}

PracticeWindow* practiseGroup(QWidget* parent, const std::vector<std::string>& path) {
    const std::vector<std::string> forms = practice::groupWindows(path);
    if (forms.empty()) {
        tell(parent, QStringLiteral("这个菜单下没有可以%1的窗口。").arg(practice_words::kPractise));
        return nullptr;
    }
    return practise(parent, forms[QRandomGenerator::global()->bounded(static_cast<int>(forms.size()))]);
}

void addPracticeAction(FormWidget* f) {
    auto* action = new QAction(practice_words::kPractise, f->surface());
    action->setObjectName(QStringLiteral("practiseAction"));
    action->setShortcut(kPracticeShortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    // Offered in the band's context menu.
    action->setProperty("kelmoraBandMenu", true);
    const std::string form = f->window().name();
    QObject::connect(action, &QAction::triggered, f, [f, form] { practise(f, form); });
    f->surface()->addAction(action);
}

namespace {
// Asks for a keyword, with the main window's completion list.
void askKeyword(QWidget* parent, const QString& typed) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("practiseKeyword"));
    dialog.setWindowTitle(QStringLiteral("%1：选择窗口").arg(practice_words::kPractise));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QStringLiteral("关键字（汉字、全拼或首字母）"), &dialog);
    auto* box = new QLineEdit(typed, &dialog);
    box->setObjectName(QStringLiteral("keyword"));
    label->setBuddy(box);
    auto* items = new QStringListModel(&dialog);
    auto* completer = new QCompleter(items, &dialog);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setModelSorting(QCompleter::UnsortedModel);
    QObject::connect(box, &QLineEdit::textEdited, items, [items](const QString& t) {
        QStringList offered;
        for (const std::string& k : completeKeyword(t.toStdString())) offered << q(k);
        items->setStringList(offered);
    });
    box->setCompleter(completer);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(box);
    layout->addWidget(buttons);
    dialog.resize(dialog.fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50, dialog.sizeHint().height());
    int result = 0;
    {
        const NestedLoop loop;
        result = dialog.exec();
    }
    if (result == QDialog::Accepted && !box->text().trimmed().isEmpty()) practiseKeyword(parent, box->text());
}

// The menu groups to draw from: each top-level menu, and its submenus.
void addGroups(QWidget* parent, QMenu* menu) {
    for (const MenuItem& top : menuTree()) {
        if (top.children.empty()) continue;
        QMenu* sub = menu->addMenu(q(top.caption));
        const std::vector<std::string> path{top.caption};
        QObject::connect(sub->addAction(QStringLiteral("整个“%1”").arg(q(top.caption))), &QAction::triggered, parent,
                         [parent, path] { practiseGroup(parent, path); });
        for (const MenuItem& child : top.children) {
            if (child.children.empty()) continue;
            const std::vector<std::string> childPath{top.caption, child.caption};
            QObject::connect(sub->addAction(q(child.caption)), &QAction::triggered, parent,
                             [parent, childPath] { practiseGroup(parent, childPath); });
        }
    }
}

QMenu* makePracticeMenu(QWidget* mainWindow, QWidget* bar) {
    auto* menu = new QMenu(bar);
    menu->setObjectName(QStringLiteral("practiceMenu"));
    QObject::connect(menu->addAction(QStringLiteral("按关键字选窗口…")), &QAction::triggered, mainWindow, [mainWindow] {
        const auto* box = mainWindow->findChild<QLineEdit*>(QStringLiteral("Text1"));
        askKeyword(mainWindow, box ? box->text() : QString());
    });
    addGroups(mainWindow, menu->addMenu(QStringLiteral("随机抽题")));
    menu->addSeparator();
    QObject::connect(menu->addAction(QStringLiteral("打开班级练习…")), &QAction::triggered, mainWindow,
                     [mainWindow] { askOpenSet(mainWindow); });
    QObject::connect(menu->addAction(QStringLiteral("打印答案…")), &QAction::triggered, mainWindow,
                     [mainWindow] { askAnswerKeys(mainWindow); });
    return menu;
}
}  // namespace

void addPracticeMenu(QMenuBar* bar) {
    // A title at the end of the bar, its menu made when first asked for.
    QAction* title = bar->addAction(practice_words::kPractise);
    title->setObjectName(QStringLiteral("practiceMenuTitle"));
    QObject::connect(title, &QAction::triggered, bar, [bar, title] {
        auto* menu = bar->findChild<QMenu*>(QStringLiteral("practiceMenu"));
        if (!menu) menu = makePracticeMenu(bar->window(), bar);
        menu->popup(bar->mapToGlobal(bar->actionGeometry(title).bottomLeft()));
    });
}

std::optional<practice::ClassSet> readSetFile(QWidget* parent, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(parent, QStringLiteral("无法读取练习集“%1”：%2。").arg(path, file.errorString()));
        return std::nullopt;
    }
    const QByteArray text = file.readAll();
    try {
        return practice::readClassSet(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    } catch (const practice::SetError& e) {
        const QString where = e.line() > 0 ? QStringLiteral("第 %1 行：").arg(e.line()) : QString();
        tell(parent, QStringLiteral("练习集“%1”读不懂。\n%2%3").arg(path, where, q(e.reason())));
        return std::nullopt;
    }
}

PracticeWindow* openSet(QWidget* parent, const practice::ClassSet& set, const QString& student) {
    const std::string number = student.trimmed().toStdString();
    if (const auto problem = practice::studentNumberProblem(number)) {
        tell(parent, QStringLiteral("学号“%1”不能用：%2。").arg(student.trimmed(), q(*problem)));
        return nullptr;
    }
    try {
        auto* w = new PracticeWindow(startSet(set, number));
        showPractice(w);
        return w;
    } catch (const practice::SetError& e) {
        tell(parent, q(e.reason()));
    } catch (const practice::PracticeError& e) {
        tell(parent, QStringLiteral("这套练习打不开：%1").arg(q(e.what())));
    }
    return nullptr;
}

void askOpenSet(QWidget* parent) {
    QString path;
    {
        const NestedLoop loop;
        path = QFileDialog::getOpenFileName(parent, QStringLiteral("打开班级练习"), QString(),
                                            QStringLiteral("练习集 (*.txt *.kset);;所有文件 (*)"));
    }
    if (path.isEmpty()) return;
    const auto set = readSetFile(parent, path);
    if (!set) return;
    bool ok = false;
    QString student;
    {
        const NestedLoop loop;
        student = QInputDialog::getText(parent, q(set->title.empty() ? set->classCode : set->title),
                                        QStringLiteral("学号"), QLineEdit::Normal, QString(), &ok);
    }
    if (ok) openSet(parent, *set, student);
}

QStringList studentNumbers(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,，、;；]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

PrintedRows answerKeys(const practice::ClassSet& set, const QStringList& students) {
    PrintedRows doc;
    doc.title = QStringLiteral("答案　%1（班级 %2）").arg(q(set.title), q(set.classCode));
    doc.date = QDate::currentDate();
    for (const QString& student : students) {
        if (!doc.rows.isEmpty()) doc.rows << QString();
        doc.rows << QStringLiteral("学号 %1").arg(student);
        for (const practice::Assignment& a : practice::assignments(set, student.toStdString())) {
            const practice::Exercise ex = practice::draw(a.form, a.seed);
            doc.rows << QStringLiteral("第%1题　%2").arg(a.place).arg(nameOf(a.form));
            QStringList figures;
            for (const practice::Figure& f : ex.figures)
                figures << (f.label.empty() ? q(f.control) : q(f.label)) + QStringLiteral(" ") + q(f.value);
            doc.rows << QStringLiteral("　　数据：") + figures.join(QStringLiteral("，"));
            for (const practice::Task& t : ex.tasks) {
                doc.rows << QStringLiteral("　　第%1笔　%2").arg(t.number).arg(q(t.heading));
                for (const practice::Entry& e : t.key)
                    doc.rows << QStringLiteral("　　　　%1　%2　%3")
                                    .arg(e.side == book::Side::Debit ? QStringLiteral("借") : QStringLiteral("贷"),
                                         q(e.account), q(book::yuan(e.amount)));
            }
        }
    }
    return doc;
}

void askAnswerKeys(QWidget* parent) {
    QString path;
    {
        const NestedLoop loop;
        path = QFileDialog::getOpenFileName(parent, QStringLiteral("打印答案：选择练习集"), QString(),
                                            QStringLiteral("练习集 (*.txt *.kset);;所有文件 (*)"));
    }
    if (path.isEmpty()) return;
    const auto set = readSetFile(parent, path);
    if (!set) return;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("answerKeys"));
    dialog.setWindowTitle(QStringLiteral("打印答案 — %1").arg(q(set->title)));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QStringLiteral("学号（用空格、逗号或换行分开）"), &dialog);
    auto* numbers = new QPlainTextEdit(&dialog);
    numbers->setObjectName(QStringLiteral("students"));
    numbers->setTabChangesFocus(true);
    label->setBuddy(numbers);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* print = buttons->addButton(QStringLiteral("打印…"), QDialogButtonBox::AcceptRole);
    QPushButton* pdf = buttons->addButton(QStringLiteral("导出PDF…"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addWidget(numbers);
    layout->addWidget(buttons);
    QPushButton* chosen = nullptr;
    QObject::connect(buttons, &QDialogButtonBox::clicked, &dialog, [&](QAbstractButton* b) {
        chosen = qobject_cast<QPushButton*>(b);
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const QStringList students = studentNumbers(numbers->toPlainText());
        for (const QString& s : students)
            if (const auto problem = practice::studentNumberProblem(s.toStdString())) {
                tell(&dialog, QStringLiteral("学号“%1”不能用：%2。").arg(s, q(*problem)));
                return;
            }
        if (students.isEmpty()) {
            tell(&dialog, QStringLiteral("请输入至少一个学号。"));
            return;
        }
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    int result = 0;
    {
        const NestedLoop loop;
        result = dialog.exec();
    }
    if (result != QDialog::Accepted) return;
    PrintedRows doc = answerKeys(*set, studentNumbers(numbers->toPlainText()));
    doc.font = parent ? parent->font() : QFont();
    if (chosen == print) {
        printRows(parent, doc);
        return;
    }
    QString out;
    {
        const NestedLoop loop;
        out = QFileDialog::getSaveFileName(parent, QStringLiteral("导出PDF"),
                                           QStringLiteral("答案-%1.pdf").arg(q(set->classCode)).replace('/', '_'),
                                           QStringLiteral("PDF 文件 (*.pdf)"));
    }
    if (!out.isEmpty() && writePdf(out, doc) == 0)
        tell(parent, QStringLiteral("无法写入文件 %1。").arg(out));
}

}  // namespace kelmora
