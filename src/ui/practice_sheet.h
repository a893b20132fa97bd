// Kelmora — the answer sheet of a practice window: one section per task
// under its block's heading, each answer line a side, an account (with the
// completion list of the accounts the program prints) and an amount, and
// after 检查 each line's mark beside it.
#pragma once

#include <QComboBox>
#include <QScrollArea>
#include <QStringList>
#include <vector>

#include "practice/exercise.h"

class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kelmora {

// The side box: blank (no side yet), 借 or 贷.  Besides the arrows and the
// characters themselves, the letters J and D choose 借 and 贷, and Space or
// Delete clears it.
class SideBox : public QComboBox {
    Q_OBJECT
public:
    explicit SideBox(QWidget* parent);
    QString side() const { return currentText(); }
    void setSide(const QString& side);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

class AnswerSheet : public QScrollArea {
    Q_OBJECT
public:
    explicit AnswerSheet(QWidget* parent);

    // A new exercise: its sections, with the lines given.
    void setExercise(const practice::Exercise& ex, const practice::Sheet& lines);
    // The lines as they stand now, one list per task.
    practice::Sheet sheet() const;
    // Marks each line after 检查: the verdict beside the learner's line, a
    // line that cannot be read with its problem, per task its score, what is
    // missing and the hints.
    void showResult(const practice::CheckResult& r);
    // The key under every task (显示答案), or not.
    void showKey(bool shown);
    bool keyShown() const { return keyShown_; }

    // Adds a line to a task (0-based) after `after` (-1: at its end), and
    // puts the keyboard's focus in its side box.
    void addLine(int task, int after = -1);
    void removeLine(int task, int line);
    int lineCount(int task) const;
    int taskCount() const { return static_cast<int>(tasks_.size()); }

    // The widgets of a line, for the keyboard and the tests.
    SideBox* sideBox(int task, int line) const;
    QLineEdit* accountBox(int task, int line) const;
    QLineEdit* amountBox(int task, int line) const;
    QLabel* mark(int task, int line) const;
    QLabel* hints(int task) const;
    QLabel* status(int task) const;

signals:
    // Something in the sheet was typed or changed.
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Line {
        QWidget* row = nullptr;
        SideBox* side = nullptr;
        QLineEdit* account = nullptr;
        QLineEdit* amount = nullptr;
        QLabel* mark = nullptr;
        QToolButton* remove = nullptr;
    };
    struct Section {
        QGroupBox* box = nullptr;
        QWidget* lines = nullptr;  // the lines, one row each
        QPushButton* add = nullptr;
        QLabel* status = nullptr;
        QLabel* hints = nullptr;
        QLabel* key = nullptr;
        std::vector<Line> rows;
    };
    Line makeLine(int task, const practice::TypedLine& typed);
    void renumber(int task);             // names every field of the task by its line again
    void clearMark(Line& line);
    // The task and line of a field of the sheet, or false.
    bool locate(const QObject* field, int* task, int* line) const;

    QWidget* inner_ = nullptr;
    std::vector<Section> tasks_;
    bool keyShown_ = false;
};

// The accessible name of a field: "第1笔 第2行 科目".
QString fieldName(int task, int line, const QString& field);

}  // namespace kelmora
