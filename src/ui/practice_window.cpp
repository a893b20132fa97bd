#include "ui/practice_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app.h"
#include "core/window_names.h"
#include "ui/form_widget.h"
#include "ui/nested_loop.h"
#include "ui/practice_sheet.h"
#include "ui/practice_words.h"

namespace kelmora {

namespace {
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::string freshSeed() { return std::to_string(QRandomGenerator::global()->generate64()); }

void tell(QWidget* parent, const QString& text) {
    const NestedLoop loop;
    QMessageBox::warning(parent, QStringLiteral("Kelmora"), text);
}

// A place's item in the set's list: "第1题 外埠采购（Form4） 3/4".
QString placeItem(const practice::ExerciseProgress& ep) {
    const WindowFactory* f = registeredWindow(ep.form);
    QString name = f ? q(fileStem((*f)())) + QStringLiteral("（") + q(ep.form) + QStringLiteral("）") : q(ep.form);
    QString item = QStringLiteral("第%1题 %2").arg(ep.place).arg(name);
    if (ep.ok && ep.total) item += QStringLiteral("　%1/%2").arg(*ep.ok).arg(*ep.total);
    return item;
}
}  // namespace

QString progressPath(const std::string& classCode, const std::string& student) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/练习");
    // Any class code makes a file name: its bytes outside letters and digits
    // are written as %XX.
    const auto part = [](const std::string& s) {
        return QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(s), QByteArray(), QByteArray("~.")));
    };
    return folder + QLatin1Char('/') + part(classCode) + QLatin1Char('_') + part(student) + QStringLiteral(".kpractice");
}

std::unique_ptr<SetRun> startSet(const practice::ClassSet& set, const std::string& student) {
    auto run = std::make_unique<SetRun>();
    run->set = set;
    run->assignments = practice::assignments(set, student);
    run->progressFile = progressPath(set.classCode, student);
    run->progress.title = set.title;
    run->progress.classCode = set.classCode;
    run->progress.student = student;
    std::optional<practice::Progress> kept;
    QFile file(run->progressFile);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        kept = practice::readProgress(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        if (kept && (kept->classCode != set.classCode || kept->student != student)) kept.reset();
    }
    for (const practice::Assignment& a : run->assignments) {
        practice::ExerciseProgress ep;
        ep.place = a.place;
        ep.form = a.form;
        ep.seed = a.seed;
        if (kept)
            for (const practice::ExerciseProgress& old : kept->exercises)
                if (old.place == a.place && old.form == a.form && old.seed == a.seed) ep = old;
        run->progress.exercises.push_back(std::move(ep));
    }
    return run;
}

PracticeWindow::PracticeWindow(const std::string& form, const std::string& seed, practice::Level level)
    : level_(level), port_(std::make_unique<SilentPort>()) {
    build();
    const practice::Exercise ex = practice::draw(form, seed);
    load(ex, practice::startingSheet(ex, level_));
}

PracticeWindow::PracticeWindow(std::unique_ptr<SetRun> run) : run_(std::move(run)), port_(std::make_unique<SilentPort>()) {
    build();
    for (const practice::ExerciseProgress& ep : run_->progress.exercises) placeBox_->addItem(placeItem(ep));
    // On at the first exercise not yet checked in full.
    int first = 0;
    const auto& all = run_->progress.exercises;
    while (first + 1 < static_cast<int>(all.size()) && all[first].ok && all[first].ok == all[first].total) ++first;
    place_ = -1;
    goTo(first);
}

PracticeWindow::~PracticeWindow() {
    // The window's widgets refer to its model: they go first.
    delete form_;
    form_ = nullptr;
}

void PracticeWindow::build() {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("practiceWindow"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("practiceTitle"));
    title_->setTextFormat(Qt::PlainText);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    top->addWidget(title_, 1);
    if (run_) {
        placeBox_ = new QComboBox(this);
        placeBox_->setObjectName(QStringLiteral("place"));
        placeBox_->setAccessibleName(QStringLiteral("题目"));
        connect(placeBox_, &QComboBox::activated, this, [this](int i) { goTo(i); });
        auto* who = new QLabel(QStringLiteral("%1　班级 %2　学号 %3")
                                   .arg(q(run_->set.title), q(run_->set.classCode), q(run_->progress.student)),
                               this);
        who->setTextFormat(Qt::PlainText);
        top->addWidget(who);
        top->addWidget(placeBox_);
    }
    auto* levelLabel = new QLabel(QStringLiteral("难度"), this);
    levelBox_ = new QComboBox(this);
    levelBox_->setObjectName(QStringLiteral("level"));
    levelBox_->addItem(q(practice::levelName(practice::Level::Amounts)));
    levelBox_->addItem(q(practice::levelName(practice::Level::Entries)));
    levelBox_->setCurrentIndex(level_ == practice::Level::Amounts ? 0 : 1);
    levelLabel->setBuddy(levelBox_);
    levelBox_->setAccessibleName(QStringLiteral("难度"));
    connect(levelBox_, &QComboBox::activated, this, [this](int i) {
        setLevel(i == 0 ? practice::Level::Amounts : practice::Level::Entries);
    });
    top->addWidget(levelLabel);
    top->addWidget(levelBox_);
    layout->addLayout(top);

    formHolder_ = new QWidget(this);
    auto* holder = new QVBoxLayout(formHolder_);
    holder->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(formHolder_, 1);
    sheet_ = new AnswerSheet(this);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    check_ = button(practice_words::kCheck, "check");
    key_ = button(practice_words::kShowKey, "showKey");
    next_ = button(practice_words::kNext, "next");
    if (run_) save_ = button(practice_words::kSaveAnswers, "saveAnswers");
    connect(sheet_, &AnswerSheet::edited, this, [this] { QTimer::singleShot(0, this, [this] { fitSheet(); }); });
    connect(check_, &QPushButton::clicked, this, [this] { check(); });
    connect(key_, &QPushButton::clicked, this, [this] { toggleKey(); });
    connect(next_, &QPushButton::clicked, this, [this] { next(); });
    if (save_) connect(save_, &QPushButton::clicked, this, [this] { askSaveAnswers(); });
    score_ = new QLabel(this);
    score_->setObjectName(QStringLiteral("score"));
    buttons->addWidget(score_, 1);
    QPushButton* close = button(QStringLiteral("关闭"), "close");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addLayout(buttons);

    results_ = new QPlainTextEdit(this);
    results_->setObjectName(QStringLiteral("results"));
    results_->setReadOnly(true);
    results_->setAccessibleName(QStringLiteral("检查结果"));
    results_->setFixedHeight(results_->fontMetrics().lineSpacing() * 4 + 12);
    results_->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(results_);
}

void PracticeWindow::load(const practice::Exercise& ex, const practice::Sheet& lines) {
    ex_ = ex;
    // The sheet leaves the old window before that goes.
    sheet_->setParent(this);
    sheet_->hide();
    delete form_;
    form_ = nullptr;
    app_ = std::make_unique<App>(*port_);
    Window& w = *app_->window(ex_.form);
    app_->open(ex_.form);
    for (const practice::Figure& f : ex_.figures) w.typeText(f.control, f.value);
    form_ = new FormWidget(*app_, w);
    form_->setParent(formHolder_, Qt::Widget);
    formHolder_->layout()->addWidget(form_);
    // The figures are the exercise's: read only, yet reached by the keyboard
    // and read by a screen reader.  The window's own buttons have nothing to
    // do here.
    for (QLineEdit* box : form_->findChildren<QLineEdit*>()) box->setReadOnly(true);
    for (QPushButton* b : form_->findChildren<QPushButton*>()) b->setEnabled(false);
    sheet_->setExercise(ex_, lines);
    form_->replaceBand(sheet_);
    form_->show();

    const QString name = q(displayName(w.def()));
    setWindowTitle(practice_words::kPractise + QStringLiteral(" — ") + name);
    title_->setText(name);
    score_->clear();
    key_->setText(practice_words::kShowKey);
    levelBox_->setCurrentIndex(level_ == practice::Level::Amounts ? 0 : 1);
    // As large as the window asks for, with the rows above and below it,
    // within the screen.
    const QSize want = form_->size() + QSize(layout()->contentsMargins().left() * 2,
                                             sizeHint().height() - formHolder_->sizeHint().height());
    const QScreen* screen = this->screen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    const QSize size(std::min(std::max(want.width(), width()), avail.width() - 16),
                     std::min(std::max(want.height(), height()), avail.height() - 48));
    if (!isVisible() || size.width() > width() || size.height() > height()) resize(size);
    if (isVisible()) QTimer::singleShot(0, this, [this] { fitSheet(); });
}

void PracticeWindow::fitSheet() {
    // The band's place is as wide as the window's printed rows ask; the
    // sheet's lines may need more: the window grows by what they lack, and
    // taller for the sections, within the screen.
    const QWidget* inner = sheet_->widget();
    if (!inner || !form_) return;
    const int frame = 2 * sheet_->frameWidth();
    const int bar = sheet_->verticalScrollBar()->sizeHint().width();
    const int lackW = inner->minimumSizeHint().width() + bar + frame - sheet_->viewport()->width() - bar;
    const int lackH = inner->sizeHint().height() + frame - sheet_->height();
    const QScreen* screen = this->screen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    const int w = std::min(width() + std::max(0, lackW + bar), avail.width() - 16);
    const int h = std::min(height() + std::max(0, lackH), avail.height() - 48);
    if (w > width() || h > height()) resize(std::max(w, width()), std::max(h, height()));
}

void PracticeWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    QTimer::singleShot(0, this, [this] { fitSheet(); });
}

void PracticeWindow::check() {
    const practice::CheckResult r = practice::check(ex_, sheet_->sheet());
    sheet_->showResult(r);
    score_->setText(QStringLiteral("得分 %1/%2").arg(r.ok).arg(r.total));
    lastReport_ = report(r);
    // Added to the results, which a screen reader reads out as text added
    // (as the printing band's new rows are).
    results_->appendPlainText(lastReport_);
    emit announced(lastReport_);
    if (run_) {
        practice::ExerciseProgress& ep = run_->progress.exercises[static_cast<std::size_t>(place_)];
        ep.ok = r.ok;
        ep.total = r.total;
        placeBox_->setItemText(place_, placeItem(ep));
    }
    keepProgress();
}

QString PracticeWindow::report(const practice::CheckResult& r) const {
    QStringList parts;
    parts << QStringLiteral("%1：得分 %2/%3").arg(practice_words::kCheck).arg(r.ok).arg(r.total);
    for (const practice::TaskResult& t : r.tasks) {
        // Line by line, in the sheet's order; then what is missing, the hints.
        std::vector<std::pair<int, QString>> lines;
        int missing = 0;
        for (const practice::Mark& m : t.marks) {
            if (m.verdict == practice::Verdict::Missing) ++missing;
            else lines.emplace_back(m.answerLine, q(practice::verdictText(m.verdict)));
        }
        for (const auto& [i, p] : t.problems) lines.emplace_back(i, q(practice::problemText(p)));
        std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [i, text] : lines) parts << QStringLiteral("第%1笔 第%2行 %3").arg(t.task).arg(i + 1).arg(text);
        if (missing > 0)
            parts << QStringLiteral("第%1笔 %2 %3 行").arg(t.task).arg(q(practice::verdictText(practice::Verdict::Missing))).arg(missing);
        for (const std::string& h : t.hints) parts << QStringLiteral("第%1笔 提示：%2").arg(t.task).arg(q(h));
    }
    for (QString& p : parts)
        while (p.endsWith(QStringLiteral("。"))) p.chop(1);
    return parts.join(QStringLiteral("；")) + QStringLiteral("。");
}

void PracticeWindow::toggleKey() {
    sheet_->showKey(!sheet_->keyShown());
    key_->setText(sheet_->keyShown() ? QStringLiteral("隐藏答案") : practice_words::kShowKey);
}

void PracticeWindow::next() {
    if (run_) {
        if (place_ + 1 < static_cast<int>(run_->progress.exercises.size())) goTo(place_ + 1);
        else tell(this, QStringLiteral("这是这套练习的最后一题。"));
        return;
    }
    const practice::Exercise ex = practice::draw(ex_.form, freshSeed());
    load(ex, practice::startingSheet(ex, level_));
}

void PracticeWindow::setLevel(practice::Level level) {
    if (level == level_) return;
    const practice::Sheet now = sheet_->sheet();
    const bool typed = now != practice::startingSheet(ex_, level_);
    if (typed) {
        const NestedLoop loop;
        const auto answer = QMessageBox::question(
            this, QStringLiteral("Kelmora"),
            QStringLiteral("换成「%1」会清空已经填写的答案。继续吗？").arg(q(practice::levelName(level))));
        if (answer != QMessageBox::Yes) {
            levelBox_->setCurrentIndex(level_ == practice::Level::Amounts ? 0 : 1);
            return;
        }
    }
    level_ = level;
    load(ex_, practice::startingSheet(ex_, level_));
    if (run_) {
        practice::ExerciseProgress& ep = run_->progress.exercises[static_cast<std::size_t>(place_)];
        ep.ok.reset();
        ep.total.reset();
        placeBox_->setItemText(place_, placeItem(ep));
    }
    keepProgress();
}

void PracticeWindow::goTo(int place) {
    if (!run_ || place < 0 || place >= static_cast<int>(run_->progress.exercises.size()) || place == place_) return;
    if (place_ >= 0) keepProgress();
    place_ = place;
    practice::ExerciseProgress& ep = run_->progress.exercises[static_cast<std::size_t>(place)];
    level_ = ep.level;
    const practice::Exercise ex = practice::draw(ep.form, ep.seed);
    load(ex, ep.sheet.empty() ? practice::startingSheet(ex, level_) : ep.sheet);
    placeBox_->setCurrentIndex(place);
    if (ep.ok && ep.total) score_->setText(QStringLiteral("上次得分 %1/%2").arg(*ep.ok).arg(*ep.total));
}

void PracticeWindow::keepProgress() {
    if (!run_ || place_ < 0) return;
    practice::ExerciseProgress& ep = run_->progress.exercises[static_cast<std::size_t>(place_)];
    ep.level = level_;
    ep.sheet = sheet_->sheet();
    writeProgressFile();
}

void PracticeWindow::writeProgressFile() {
    QDir().mkpath(QFileInfo(run_->progressFile).absolutePath());
    QSaveFile file(run_->progressFile);
    const std::string text = practice::writeProgress(run_->progress);
    if (file.open(QIODevice::WriteOnly) && file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
        file.commit())
        return;
    // Told once: the learner goes on, and 保存答卷 still writes the answers.
    static bool told = false;
    if (told) return;
    told = true;
    tell(this, QStringLiteral("无法保存练习进度到“%1”：%2。\n关闭程序后，这次的答案不会保留；可以用「%3」另存答案。")
                   .arg(run_->progressFile, file.errorString(), practice_words::kSaveAnswers));
}

bool PracticeWindow::saveAnswers(const QString& path) {
    keepProgress();
    QSaveFile file(path);
    const std::string text = practice::answersScript(run_->progress);
    if (file.open(QIODevice::WriteOnly) && file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
        file.commit())
        return true;
    tell(this, QStringLiteral("无法写入文件“%1”：%2。").arg(path, file.errorString()));
    return false;
}

void PracticeWindow::askSaveAnswers() {
    if (!run_) return;
    const QString suggested = QDir::home().filePath(
        QStringLiteral("%1-%2-答卷.txt").arg(q(run_->set.classCode), q(run_->progress.student)).replace('/', '_'));
    QString path;
    {
        const NestedLoop loop;
        path = QFileDialog::getSaveFileName(this, practice_words::kSaveAnswers, suggested, QStringLiteral("答卷 (*.txt)"));
    }
    if (path.isEmpty()) return;
    if (saveAnswers(path))
        results_->appendPlainText(QStringLiteral("答卷已保存到 %1。").arg(path));
}

void PracticeWindow::closeEvent(QCloseEvent* e) {
    keepProgress();
    e->accept();
}

}  // namespace kelmora
