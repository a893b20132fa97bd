#include "ui/practice_sheet.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "book/money.h"
#include "practice/account_completion.h"

namespace kelmora {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string s(const QString& t) { return t.toStdString(); }

const QString kDebit = QStringLiteral("借");
const QString kCredit = QStringLiteral("贷");

QString sideText(book::Side side) { return side == book::Side::Debit ? kDebit : side == book::Side::Credit ? kCredit : QString(); }

// A line of the key as the sheet shows it: "借 材料费用 100.00".
QString keyLine(const practice::Entry& e) {
    return QStringLiteral("%1　%2　%3").arg(sideText(e.side), q(e.account), q(book::yuan(e.amount)));
}

bool addKey(const QKeyEvent* k) {
    const auto mods = k->modifiers() & ~Qt::KeypadModifier;
    return ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && mods == Qt::ControlModifier) ||
           (k->key() == Qt::Key_Insert && mods == Qt::AltModifier);
}
bool removeKey(const QKeyEvent* k) {
    return k->key() == Qt::Key_Delete && (k->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}
}  // namespace

QString fieldName(int task, int line, const QString& field) {
    return QStringLiteral("第%1笔 第%2行 %3").arg(task + 1).arg(line + 1).arg(field);
}

SideBox::SideBox(QWidget* parent) : QComboBox(parent) {
    addItems({QString(), kDebit, kCredit});
    setFocusPolicy(Qt::StrongFocus);
}

void SideBox::setSide(const QString& side) {
    const int i = findText(side.trimmed());
    setCurrentIndex(i > 0 ? i : 0);
}

void SideBox::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text().trimmed().toLower();
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QComboBox::keyPressEvent(e);
        return;
    }
    if (t == QLatin1String("j") || t == kDebit) setCurrentIndex(1);
    else if (t == QLatin1String("d") || t == kCredit) setCurrentIndex(2);
    else if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Delete || e->key() == Qt::Key_Backspace) setCurrentIndex(0);
    else {
        QComboBox::keyPressEvent(e);
        return;
    }
    e->accept();
}

AnswerSheet::AnswerSheet(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("answerSheet"));
    setWidgetResizable(true);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("答题区"));
}

void AnswerSheet::setExercise(const practice::Exercise& ex, const practice::Sheet& lines) {
    // The old sections go with their widgets (a field may have the focus:
    // it goes once control is back in the event loop).
    if (QWidget* old = takeWidget()) old->deleteLater();
    tasks_.clear();
    keyShown_ = false;
    inner_ = new QWidget;
    inner_->setObjectName(QStringLiteral("sheet"));
    auto* list = new QVBoxLayout(inner_);
    for (std::size_t k = 0; k < ex.tasks.size(); ++k) {
        const practice::Task& t = ex.tasks[k];
        const int task = static_cast<int>(k);
        Section sec;
        const QString title = t.heading.empty() ? QStringLiteral("第%1笔").arg(t.number)
                                                : QStringLiteral("第%1笔　%2").arg(t.number).arg(q(t.heading));
        sec.box = new QGroupBox(title, inner_);
        sec.box->setObjectName(QStringLiteral("task%1").arg(t.number));
        auto* v = new QVBoxLayout(sec.box);
        sec.lines = new QWidget(sec.box);
        auto* rows = new QVBoxLayout(sec.lines);
        rows->setContentsMargins(0, 0, 0, 0);
        v->addWidget(sec.lines);
        auto* foot = new QHBoxLayout;
        sec.add = new QPushButton(QStringLiteral("添加一行"), sec.box);
        sec.add->setObjectName(QStringLiteral("add%1").arg(t.number));
        sec.add->setAutoDefault(false);
        sec.add->setAccessibleName(QStringLiteral("第%1笔 添加一行").arg(t.number));
        sec.add->setToolTip(QStringLiteral("在本笔末尾添加一行（在一行里按 Ctrl+Enter 或 Alt+Insert 在它下面添加，"
                                           "Alt+Delete 删除这一行）"));
        connect(sec.add, &QPushButton::clicked, this, [this, task] { addLine(task); });
        foot->addWidget(sec.add);
        sec.status = new QLabel(sec.box);
        sec.status->setObjectName(QStringLiteral("status%1").arg(t.number));
        sec.status->setWordWrap(true);
        foot->addWidget(sec.status, 1);
        v->addLayout(foot);
        sec.hints = new QLabel(sec.box);
        sec.hints->setObjectName(QStringLiteral("hints%1").arg(t.number));
        sec.hints->setWordWrap(true);
        sec.hints->setTextFormat(Qt::PlainText);
        sec.hints->hide();
        v->addWidget(sec.hints);
        QStringList key;
        for (const practice::Entry& e : t.key) key << keyLine(e);
        sec.key = new QLabel(QStringLiteral("答案：\n") + key.join('\n'), sec.box);
        sec.key->setObjectName(QStringLiteral("key%1").arg(t.number));
        sec.key->setTextFormat(Qt::PlainText);
        sec.key->setTextInteractionFlags(Qt::TextSelectableByMouse);
        sec.key->hide();
        v->addWidget(sec.key);
        list->addWidget(sec.box);
        tasks_.push_back(sec);
        const std::vector<practice::TypedLine> given = k < lines.size() ? lines[k] : std::vector<practice::TypedLine>{};
        for (const practice::TypedLine& l : given) {
            Line line = makeLine(task, l);
            rows->addWidget(line.row);
            tasks_[k].rows.push_back(line);
        }
        renumber(task);
    }
    // Every section as wide as a line needs, lines or not yet.
    if (!tasks_.empty()) {
        const Line probe = makeLine(0, {});
        const int lineWidth = probe.row->minimumSizeHint().width();
        delete probe.row;
        for (Section& sec : tasks_) sec.lines->setMinimumWidth(lineWidth);
    }
    list->addStretch();
    setWidget(inner_);
}

AnswerSheet::Line AnswerSheet::makeLine(int task, const practice::TypedLine& typed) {
    Section& sec = tasks_[static_cast<std::size_t>(task)];
    Line l;
    l.row = new QWidget(sec.lines);
    auto* h = new QHBoxLayout(l.row);
    h->setContentsMargins(0, 0, 0, 0);
    l.side = new SideBox(l.row);
    l.side->setSide(q(typed.side));
    l.side->setToolTip(QStringLiteral("借或贷（J 借，D 贷）"));
    l.account = new QLineEdit(q(typed.account), l.row);
    l.account->setPlaceholderText(QStringLiteral("科目"));
    l.account->setMinimumWidth(l.account->fontMetrics().horizontalAdvance(QStringLiteral("应交税金-应交增值税（进项）")) + 8);
    l.amount = new QLineEdit(q(typed.amount), l.row);
    l.amount->setPlaceholderText(QStringLiteral("金额"));
    l.amount->setAlignment(Qt::AlignRight);
    const int digits = l.amount->fontMetrics().horizontalAdvance(QStringLiteral("00000000.00")) + 16;
    l.amount->setMinimumWidth(digits);
    l.amount->setMaximumWidth(digits * 3 / 2);
    l.mark = new QLabel(l.row);
    l.mark->setTextFormat(Qt::PlainText);
    l.mark->setWordWrap(true);
    l.mark->setFixedWidth(l.mark->fontMetrics().horizontalAdvance(QStringLiteral("借贷方向错误")) + 4);
    l.remove = new QToolButton(l.row);
    l.remove->setText(QStringLiteral("删除"));
    l.remove->setAutoRaise(true);
    h->addWidget(l.side);
    h->addWidget(l.account, 3);
    h->addWidget(l.amount, 1);
    h->addWidget(l.mark);
    h->addWidget(l.remove);

    // The completion list of the accounts, asked for afresh as the learner
    // types, in the order it comes (the list decides what matches).
    auto* items = new QStringListModel(l.account);
    auto* completer = new QCompleter(items, l.account);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setModelSorting(QCompleter::UnsortedModel);
    completer->setMaxVisibleItems(12);
    connect(l.account, &QLineEdit::textEdited, items, [this, items, completer](const QString& t) {
        QStringList offered;
        for (const std::string& a : practice::completeAccount(s(t))) offered << q(a);
        items->setStringList(offered);
        // The list, made when first needed, hands Enter to the sheet first
        // (a filter installed after the completer's runs before it).
        QAbstractItemView* list = completer->popup();
        if (!list->property("kelmoraAccounts").toBool()) {
            list->setProperty("kelmoraAccounts", true);
            list->installEventFilter(this);
        }
    });
    l.account->setCompleter(completer);

    QWidget* row = l.row;
    const auto changed = [this, row] {
        for (Section& sec : tasks_)
            for (Line& line : sec.rows)
                if (line.row == row) clearMark(line);
        emit edited();
    };
    connect(l.side, &QComboBox::currentIndexChanged, this, changed);
    connect(l.account, &QLineEdit::textChanged, this, changed);
    connect(l.amount, &QLineEdit::textChanged, this, changed);
    connect(l.remove, &QToolButton::clicked, this, [this, row] {
        int t = 0, i = 0;
        if (locate(row, &t, &i)) removeLine(t, i);
    });
    for (QWidget* w : {static_cast<QWidget*>(l.side), static_cast<QWidget*>(l.account), static_cast<QWidget*>(l.amount),
                       static_cast<QWidget*>(l.remove)})
        w->installEventFilter(this);
    return l;
}

void AnswerSheet::renumber(int task) {
    Section& sec = tasks_[static_cast<std::size_t>(task)];
    for (std::size_t i = 0; i < sec.rows.size(); ++i) {
        const Line& l = sec.rows[i];
        const int line = static_cast<int>(i);
        const QString n = QStringLiteral("%1_%2").arg(task + 1).arg(line + 1);
        l.side->setObjectName(QStringLiteral("side") + n);
        l.account->setObjectName(QStringLiteral("account") + n);
        l.amount->setObjectName(QStringLiteral("amount") + n);
        l.mark->setObjectName(QStringLiteral("mark") + n);
        l.remove->setObjectName(QStringLiteral("remove") + n);
        l.side->setAccessibleName(fieldName(task, line, QStringLiteral("借贷")));
        l.account->setAccessibleName(fieldName(task, line, QStringLiteral("科目")));
        l.amount->setAccessibleName(fieldName(task, line, QStringLiteral("金额")));
        l.mark->setAccessibleName(fieldName(task, line, QStringLiteral("批改")));
        l.remove->setAccessibleName(QStringLiteral("删除第%1笔第%2行").arg(task + 1).arg(line + 1));
    }
    // The keyboard goes through the lines in order, then to 添加一行.
    QWidget* last = nullptr;
    for (const Line& l : sec.rows)
        for (QWidget* w : {static_cast<QWidget*>(l.side), static_cast<QWidget*>(l.account), static_cast<QWidget*>(l.amount),
                           static_cast<QWidget*>(l.remove)}) {
            if (last) QWidget::setTabOrder(last, w);
            last = w;
        }
    if (last) QWidget::setTabOrder(last, sec.add);
}

void AnswerSheet::addLine(int task, int after) {
    if (task < 0 || task >= taskCount()) return;
    Section& sec = tasks_[static_cast<std::size_t>(task)];
    const int at = after < 0 || after >= static_cast<int>(sec.rows.size()) ? static_cast<int>(sec.rows.size()) : after + 1;
    Line l = makeLine(task, {});
    static_cast<QVBoxLayout*>(sec.lines->layout())->insertWidget(at, l.row);
    sec.rows.insert(sec.rows.begin() + at, l);
    renumber(task);
    // The order of focus among the sections: the new line's fields come
    // after the line before it.
    l.side->setFocus(Qt::OtherFocusReason);
    QTimer::singleShot(0, this, [this, row = l.row] { ensureWidgetVisible(row); });
    emit edited();
}

void AnswerSheet::removeLine(int task, int line) {
    if (task < 0 || task >= taskCount()) return;
    Section& sec = tasks_[static_cast<std::size_t>(task)];
    if (line < 0 || line >= static_cast<int>(sec.rows.size())) return;
    Line gone = sec.rows[static_cast<std::size_t>(line)];
    sec.rows.erase(sec.rows.begin() + line);
    const bool hadFocus = gone.row->isAncestorOf(QApplication::focusWidget());
    gone.row->hide();
    gone.row->deleteLater();
    renumber(task);
    if (hadFocus) {
        // On to the line that took its place, or the one before, or 添加一行.
        if (!sec.rows.empty()) sec.rows[std::min<std::size_t>(line, sec.rows.size() - 1)].side->setFocus(Qt::OtherFocusReason);
        else sec.add->setFocus(Qt::OtherFocusReason);
    }
    emit edited();
}

int AnswerSheet::lineCount(int task) const {
    return task >= 0 && task < taskCount() ? static_cast<int>(tasks_[static_cast<std::size_t>(task)].rows.size()) : 0;
}

practice::Sheet AnswerSheet::sheet() const {
    practice::Sheet out;
    for (const Section& sec : tasks_) {
        std::vector<practice::TypedLine> lines;
        for (const Line& l : sec.rows) lines.push_back({s(l.side->side()), s(l.account->text()), s(l.amount->text())});
        out.push_back(std::move(lines));
    }
    return out;
}

void AnswerSheet::clearMark(Line& line) {
    if (line.mark->text().isEmpty()) return;
    line.mark->clear();
    for (QWidget* w : {static_cast<QWidget*>(line.side), static_cast<QWidget*>(line.account), static_cast<QWidget*>(line.amount)})
        w->setAccessibleDescription(QString());
}

void AnswerSheet::showResult(const practice::CheckResult& r) {
    const QString good = QStringLiteral("color: #006000;"), bad = QStringLiteral("color: #b00000;");
    for (std::size_t k = 0; k < tasks_.size(); ++k) {
        Section& sec = tasks_[k];
        for (Line& l : sec.rows) {
            l.mark->clear();
            for (QWidget* w : {static_cast<QWidget*>(l.side), static_cast<QWidget*>(l.account), static_cast<QWidget*>(l.amount)})
                w->setAccessibleDescription(QString());
        }
        if (k >= r.tasks.size()) continue;
        const practice::TaskResult& t = r.tasks[k];
        int missing = 0;
        const auto markLine = [&](int i, const QString& text, bool ok) {
            if (i < 0 || i >= static_cast<int>(sec.rows.size())) return;
            Line& l = sec.rows[static_cast<std::size_t>(i)];
            l.mark->setText(text);
            l.mark->setStyleSheet(ok ? good : bad);
            for (QWidget* w : {static_cast<QWidget*>(l.side), static_cast<QWidget*>(l.account), static_cast<QWidget*>(l.amount)})
                w->setAccessibleDescription(text);
        };
        for (const practice::Mark& m : t.marks) {
            if (m.verdict == practice::Verdict::Missing) {
                ++missing;
                continue;
            }
            markLine(m.answerLine, q(practice::verdictText(m.verdict)), m.verdict == practice::Verdict::Ok);
        }
        for (const auto& [i, problem] : t.problems) markLine(i, q(practice::problemText(problem)), false);
        QString status = QStringLiteral("本笔 %1/%2").arg(t.ok).arg(t.total);
        if (missing > 0) status += QStringLiteral("，%1 %2 行").arg(q(practice::verdictText(practice::Verdict::Missing))).arg(missing);
        if (!t.problems.empty()) status += QStringLiteral("，%1 行没有读懂").arg(t.problems.size());
        sec.status->setText(status);
        sec.status->setStyleSheet(t.ok == t.total && t.problems.empty() ? good : bad);
        QStringList hints;
        for (const std::string& h : t.hints) hints << QStringLiteral("提示：") + q(h);
        sec.hints->setText(hints.join('\n'));
        sec.hints->setVisible(!hints.isEmpty());
    }
}

void AnswerSheet::showKey(bool shown) {
    keyShown_ = shown;
    for (Section& sec : tasks_) sec.key->setVisible(shown);
}

bool AnswerSheet::locate(const QObject* field, int* task, int* line) const {
    for (std::size_t k = 0; k < tasks_.size(); ++k)
        for (std::size_t i = 0; i < tasks_[k].rows.size(); ++i) {
            const Line& l = tasks_[k].rows[i];
            if (field == l.row || field == l.side || field == l.account || field == l.amount || field == l.remove) {
                *task = static_cast<int>(k);
                *line = static_cast<int>(i);
                return true;
            }
        }
    return false;
}

bool AnswerSheet::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && watched->property("kelmoraAccounts").toBool()) {
        // Enter in an open list of accounts: the highlighted one, or the
        // first when none is, goes into the box, and on to the amount (as in
        // the main window's box).
        const auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() != Qt::NoModifier)
            return false;
        auto* list = static_cast<QAbstractItemView*>(watched);
        for (const Section& sec : tasks_)
            for (const Line& l : sec.rows) {
                QCompleter* completer = l.account->completer();
                if (!completer || completer->popup() != list) continue;
                QModelIndex item = list->currentIndex();
                if (!item.isValid()) item = completer->completionModel()->index(0, 0);
                if (!item.isValid()) return false;
                const QString chosen = item.data().toString();
                list->hide();
                l.account->setText(chosen);
                l.amount->setFocus(Qt::TabFocusReason);
                return true;
            }
        return false;
    }
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        int task = 0, line = 0;
        if ((addKey(k) || removeKey(k)) && locate(watched, &task, &line)) {
            if (addKey(k)) addLine(task, line);
            else removeLine(task, line);
            return true;
        }
        // Enter goes on to the next field, as in the window's boxes (the
        // completion list, while open, takes it itself).
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && k->modifiers() == Qt::NoModifier) {
            if (box->completer() && box->completer()->popup() && box->completer()->popup()->isVisible()) return false;
            // On in the window's chain of focus, as Tab goes.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(box, &tab);
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, e);
}

SideBox* AnswerSheet::sideBox(int task, int line) const {
    return line >= 0 && line < lineCount(task) ? tasks_[task].rows[line].side : nullptr;
}
QLineEdit* AnswerSheet::accountBox(int task, int line) const {
    return line >= 0 && line < lineCount(task) ? tasks_[task].rows[line].account : nullptr;
}
QLineEdit* AnswerSheet::amountBox(int task, int line) const {
    return line >= 0 && line < lineCount(task) ? tasks_[task].rows[line].amount : nullptr;
}
QLabel* AnswerSheet::mark(int task, int line) const {
    return line >= 0 && line < lineCount(task) ? tasks_[task].rows[line].mark : nullptr;
}
QLabel* AnswerSheet::hints(int task) const { return task >= 0 && task < taskCount() ? tasks_[task].hints : nullptr; }
QLabel* AnswerSheet::status(int task) const { return task >= 0 && task < taskCount() ? tasks_[task].status : nullptr; }

}  // namespace kelmora
