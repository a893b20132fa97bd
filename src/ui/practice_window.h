// Kelmora — a calculator window in practice form: its boxes hold the
// exercise's figures, read-only; its printing band gives way to the answer
// sheet; below, the level, 检查, 显示答案, 下一题 and, in a class set, 保存答卷
// and the set's exercises.
//
// The window is worked on a model of its own: the window the user has open
// (its boxes, its rows) does not change.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "practice/class_set.h"
#include "practice/exercise.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelmora {

class AnswerSheet;
class App;
class FormWidget;
class SilentPort;

// A student's class set as the desktop works it: the set, the student's
// exercises and progress, and the file the progress is kept in.
struct SetRun {
    practice::ClassSet set;
    std::vector<practice::Assignment> assignments;
    practice::Progress progress;
    QString progressFile;
};

class PracticeWindow : public QWidget {
    Q_OBJECT
public:
    // Free practice on a window: figures from the seed, 下一题 draws new ones.
    // Throws practice::PracticeError when the window cannot be practised.
    PracticeWindow(const std::string& form, const std::string& seed, practice::Level level = practice::Level::Entries);
    // A class set: its exercises in turn, progress written as the student
    // works.
    explicit PracticeWindow(std::unique_ptr<SetRun> run);
    ~PracticeWindow() override;

    const practice::Exercise& exercise() const { return ex_; }
    practice::Level level() const { return level_; }
    AnswerSheet* sheet() const { return sheet_; }
    FormWidget* form() const { return form_; }
    const SetRun* setRun() const { return run_.get(); }
    int place() const { return place_; }  // in a class set, 0-based

    void check();                          // 检查
    void toggleKey();                      // 显示答案 / 隐藏答案
    void next();                           // 下一题
    void setLevel(practice::Level level);  // starts the sheet again at that level
    void goTo(int place);                  // a class set's exercise
    // 保存答卷 to that file; false, and a message, when it cannot be written.
    bool saveAnswers(const QString& path);
    void askSaveAnswers();
    // The last check's text as it was announced, empty before.
    QString lastReport() const { return lastReport_; }

signals:
    // The verdicts of 检查, said aloud by a screen reader.
    void announced(const QString& text);

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void build();
    void load(const practice::Exercise& ex, const practice::Sheet& lines);
    void keepProgress();  // the sheet into the progress, and the progress to its file
    void writeProgressFile();
    void fitSheet();  // the window wide and tall enough for the sheet, within the screen
    QString report(const practice::CheckResult& r) const;

    practice::Exercise ex_;
    practice::Level level_ = practice::Level::Entries;
    std::unique_ptr<SetRun> run_;
    int place_ = 0;
    std::unique_ptr<SilentPort> port_;
    std::unique_ptr<App> app_;  // the window's own model, holding the figures
    QWidget* formHolder_ = nullptr;
    FormWidget* form_ = nullptr;
    AnswerSheet* sheet_ = nullptr;
    QComboBox* levelBox_ = nullptr;
    QComboBox* placeBox_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* score_ = nullptr;
    QPushButton* check_ = nullptr;
    QPushButton* key_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* save_ = nullptr;
    QPlainTextEdit* results_ = nullptr;  // what each 检查 found, announced as it is added
    QString lastReport_;
};

// Where a student's progress in a set is kept: the program's data folder
// (~/.local/share/Kelmora), a file per class and student.
QString progressPath(const std::string& classCode, const std::string& student);

// Opens a class set for a student: the progress kept in its file where there
// is any (exercises whose window and seed still match keep their lines).
std::unique_ptr<SetRun> startSet(const practice::ClassSet& set, const std::string& student);

}  // namespace kelmora
