#include "window_bench.h"

#include "stats.h"

#include "algebra/worked_solution.h"
#include "app/presentation.h"
#include "banks/banks.h"
#include "catalogue/catalogue.h"
#include "core/problem.h"
#include "drill_program/main_window.h"
#include "fresh/fresh_bank.h"
#include "fresh/proof.h"
#include "render/problem_display.h"
#include "stories/fresh_set.h"
#include "system/system_services.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <functional>
#include <map>
#include <thread>

namespace minamo::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double keyMedianTargetMs = 1.0;
constexpr double keyP99TargetMs = 2.0;
constexpr double frameMs = 1000.0 / 60.0;
constexpr double allSolutionsTargetMs = 50.0;
// Fresh numbers start a drill at most this much slower than the banks' own.
constexpr double freshStartTarget = 1.2;
// Making a fresh bank costs a few draws of every problem; shown, with a generous target.
constexpr double freshBanksTarget = 10.0;
// The quickest pupil's way from the window's first paint to a menu entry: the window has
// done its work after the paint by then.
constexpr std::chrono::milliseconds pupilsReach{300};

const QString fiveTermProblem = QStringLiteral("5/6-3/4x=+2/3-1/2x 方程式を解いて。");
const QString fiveTermAnswer = QStringLiteral("x=2/3");

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double timed(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return msSince(start);
}

// One key as the pupil's keyboard delivers it: the shortcut check, then the key press.
void press(QWidget* target, int key) {
    if (key == Qt::Key_Backspace) {
        QTest::keyPress(target, Qt::Key_Backspace);
    } else {
        QTest::keyPress(target, static_cast<char>(key));
    }
}

void release(QWidget* target, int key) {
    if (key == Qt::Key_Backspace) {
        QTest::keyRelease(target, Qt::Key_Backspace);
    } else {
        QTest::keyRelease(target, static_cast<char>(key));
    }
}

struct KeyCase {
    QString name;   // in the table
    QString typed;  // typed before the timed key, as the pupil types it
    QString shown;  // what the box shows before the timed key (for the bare box)
    int key;        // the timed key: a character or Qt::Key_Backspace
    QString expect; // Text4 after the key; empty: not checked
};

Row figureRow(const QString& measure, double figure, double floor, double targetMs,
              const QString& target) {
    Row row;
    row.measure = measure;
    row.figure = milliseconds(figure);
    row.floor = milliseconds(floor);
    row.ratio = floor > 0 ? times(figure / floor) : QStringLiteral("-");
    row.target = target;
    row.verdict = figure < targetMs ? Verdict::Ok : Verdict::Missed;
    row.missedNote =
        QStringLiteral("%1: %2 (target %3)").arg(measure, milliseconds(figure), target);
    return row;
}

// The program's window with the real services, in a folder of its own: starting a drill
// creates the family's history file in the current folder.
class RealWindow {
public:
    explicit RealWindow(const QString& programFolder, const DrillOptions& drillOptions = {})
        : files_(programFolder), random_(1),
          lock_(QDir(work_.path()).filePath(QStringLiteral("minamo-drill.lock"))),
          previous_(QDir::currentPath()), window_({files_, clock_, random_, lock_}, drillOptions) {
        QDir::setCurrent(work_.path());
    }
    ~RealWindow() { QDir::setCurrent(previous_); }
    MainWindow& window() { return window_; }
    DrillState& s() { return window_.form().state(); }
    Drill& drill() { return window_.form().drill(); }

private:
    QTemporaryDir work_;
    LocalFileSystem files_;
    SystemClock clock_;
    SeededRandom random_;
    LockFileInstance lock_;
    QString previous_;
    MainWindow window_;
};

void settle() {
    QApplication::processEvents();
}

// Paints a widget at once: a picture area draws what it keeps when it is painted, so a
// figure that includes the drawing includes this.
void paintNow(QWidget* widget) {
    widget->repaint();
}

std::vector<Row> keyBenchmarks(RealWindow& real, const WindowOptions& options, QTextStream& log,
                               bool& failed) {
    MainWindow& window = real.window();
    DrillState& s = real.s();
    AnswerBox* box = window.answerBox();
    QtPictureArea& picture3 = window.picture(ControlId::Picture3);
    auto* text4 = qobject_cast<QLineEdit*>(window.controlWidget(ControlId::Text4));
    QWidget* command1 = window.controlWidget(ControlId::Command1);

    // The floor: the same key in a bare line edit of the same font.
    QLineEdit bare;
    bare.setFont(box->font());
    bare.resize(box->size());
    bare.show();

    const std::vector<KeyCase> cases{
        {QStringLiteral("'5' after x="), QStringLiteral("x="), QStringLiteral("x="), '5',
         QStringLiteral("x=5")},
        {QStringLiteral("fraction digit '4' after x=3/"), QStringLiteral("x=3/"),
         QStringLiteral("x=3/"), '4', QStringLiteral("x=4/3")},
        {QStringLiteral("Backspace in x=-8/3"),
         QStringLiteral("x=-3/8"),
         QStringLiteral("x=-8/3"),
         Qt::Key_Backspace,
         {}},
    };

    std::vector<Row> rows;
    for (const KeyCase& c : cases) {
        std::vector<double> samples, floor;
        int notRedrawn = 0;
        int wrongText = 0;
        for (int i = 0; i < options.keySamples; ++i) {
            // The correction button empties the entry, then the pupil types up to the key.
            QTest::mouseClick(command1, Qt::LeftButton);
            QTest::keyClicks(box, c.typed);
            settle();
            const QImage before = picture3.image().copy();
            samples.push_back(timed([&] {
                press(box, c.key);
                paintNow(picture3.widget());
            }));
            notRedrawn += picture3.image() == before;
            release(box, c.key);
            wrongText += !c.expect.isEmpty() && text4->text() != c.expect;

            bare.setText(c.shown);
            bare.setCursorPosition(static_cast<int>(c.shown.size()));
            settle();
            floor.push_back(timed([&] {
                press(&bare, c.key);
                paintNow(&bare);
            }));
            release(&bare, c.key);
        }
        if (notRedrawn > 0 || wrongText > 0) {
            log << "bench: " << c.name << ": Picture3 not redrawn " << notRedrawn
                << " times, Text4 wrong " << wrongText << " times\n";
            failed = true;
        }
        const QString name = QStringLiteral("key to Picture3: ") + c.name;
        rows.push_back(figureRow(name + QStringLiteral(", median"), median(samples), median(floor),
                                 keyMedianTargetMs, QStringLiteral("< 1 ms")));
        rows.push_back(figureRow(name + QStringLiteral(", p99"), percentile(samples, 99),
                                 percentile(floor, 99), keyP99TargetMs, QStringLiteral("< 2 ms")));
    }
    QTest::mouseClick(command1, Qt::LeftButton);
    Q_UNUSED(s);
    return rows;
}

int countColour(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour;
        }
    }
    return count;
}

Row advanceBenchmark(RealWindow& real, const WindowOptions& options, QTextStream& log,
                     bool& failed) {
    DrillState& s = real.s();
    QtPictureArea& picture2 = real.window().picture(ControlId::Picture2);
    const QString equation = Problem::read(fiveTermProblem).equation;
    // A one-problem drill list: each advance presents its first position.
    s.question[1] = fiveTermProblem;
    s.answer[1] = fiveTermAnswer;
    s.bankCount = 1;

    std::vector<double> samples, floor;
    for (int i = 0; i < options.advanceSamples; ++i) {
        s.currentIndex = 0;
        settle();
        samples.push_back(timed([&] {
            advanceProblem(real.drill());
            paintNow(picture2.widget());
        }));
        // The floor: the problem area cleared and the equation printed as one line.
        settle();
        floor.push_back(timed([&] {
            picture2.clear();
            picture2.setPen(0, 0);
            picture2.print(equation, LineEnd::Break);
            paintNow(picture2.widget());
        }));
    }
    s.currentIndex = 0;
    advanceProblem(real.drill());
    // Drawn as a fraction equation: its bars are green.
    if (s.currentIndex != 1 || countColour(picture2.image(), QColor(0, 128, 0)) == 0) {
        log << "bench: advanceProblem did not draw the fraction problem\n";
        failed = true;
    }
    return figureRow(QStringLiteral("advanceProblem %1, drawing incl.").arg(equation),
                     median(samples), median(floor), frameMs,
                     QStringLiteral("< 16.7 ms (a 60 Hz frame)"));
}

std::vector<Row> solutionBenchmark(RealWindow& real, const WindowOptions& options, QTextStream& log,
                                   bool& failed) {
    DrillState& s = real.s();
    QtPictureArea& picture7 = real.window().picture(ControlId::Picture7);

    QStringList equations;
    for (const Bank* set : catalogueBanks()) {
        const auto bank = std::make_unique<DrillState>();
        fillBank(*bank, *set);
        for (int i = 1; i <= bank->bankCount; ++i) {
            equations << Problem::read(bank->bankQuestion[i]).equation;
        }
    }

    std::vector<double> totals, floorTotals, slowest;
    int blank = 0;
    for (int round = 0; round < options.solutionRounds; ++round) {
        double total = 0;
        double floorTotal = 0;
        double slow = 0;
        for (qsizetype i = 0; i < equations.size(); ++i) {
            if (i % 50 == 0) {
                settle();
            }
            // As after a miss: the advance cleared Picture7, judging set the equation.
            picture7.clear();
            const QImage empty = round == 0 ? picture7.image().copy() : QImage();
            s.explainedEquation = equations[i];
            s.solutionLineCount = 0;
            s.sideExpanded.clear();
            const double one = timed([&] {
                showWorkedSolution(real.drill());
                paintNow(picture7.widget());
            });
            total += one;
            slow = std::max(slow, one);
            if (round == 0) {
                blank += picture7.image() == empty;
            }
            // The floor: the equation printed as one line.
            picture7.clear();
            floorTotal += timed([&] {
                picture7.setPen(0, 0);
                picture7.print(equations[i], LineEnd::Break);
                paintNow(picture7.widget());
            });
        }
        totals.push_back(total);
        floorTotals.push_back(floorTotal);
        slowest.push_back(slow);
    }
    if (blank > 0) {
        log << "bench: " << blank << " worked solutions drew nothing\n";
        failed = true;
    }
    std::vector<Row> rows;
    rows.push_back(figureRow(
        QStringLiteral("showWorkedSolution, all %1 bank problems, total").arg(equations.size()),
        median(totals), median(floorTotals), allSolutionsTargetMs,
        QStringLiteral("< 50 ms total")));
    Row slow;
    slow.measure = QStringLiteral("showWorkedSolution, slowest single problem");
    slow.figure = milliseconds(median(slowest));
    slow.floor = QStringLiteral("-");
    slow.ratio = QStringLiteral("-");
    slow.target = QStringLiteral("-");
    rows.push_back(slow);
    return rows;
}

Row ratioRow(const QString& measure, double figure, double floor, double targetRatio) {
    Row row;
    row.measure = measure;
    row.figure = milliseconds(figure);
    row.floor = milliseconds(floor);
    row.ratio = times(figure / floor);
    row.target = QStringLiteral("<= %1x floor").arg(targetRatio, 0, 'f', 2);
    row.verdict = figure <= floor * targetRatio ? Verdict::Ok : Verdict::Missed;
    row.missedNote = QStringLiteral("%1: %2 the floor (target %3x)")
                         .arg(measure, times(figure / floor))
                         .arg(targetRatio, 0, 'f', 2);
    return row;
}

// From the menu click to the first problem painted, in a window of its own each time (a
// drill starts once a run): fresh numbers beside the banks' own, for the largest set and for
// the first word problem; then the making of every fresh set of a seed.
std::vector<Row> freshBenchmarks(const WindowOptions& options, QTextStream& log, bool& failed) {
    const QString set = QStringLiteral("tosiki1");
    const QString story = QStringLiteral("bhhayasa"); // 文章問題1 → 速さ
    // idle: the click comes as soon as a pupil's could, once the window has done what it
    // does after its first paint (with fresh numbers, made every set's problems);
    // otherwise at once, before any is made.
    const auto firstProblem = [&](const QString& entry, const DrillOptions& drillOptions,
                                  bool idle) {
        RealWindow real(options.programFolder, drillOptions);
        if (!real.window().load()) {
            failed = true;
            return 0.0;
        }
        if (idle) {
            settle();
            std::this_thread::sleep_for(pupilsReach);
            settle();
        }
        QtPictureArea& picture2 = real.window().picture(ControlId::Picture2);
        const double ms = timed([&] {
            real.window().menuAction(entry)->trigger();
            paintNow(picture2.widget());
        });
        if (real.s().drillRunning != 1) {
            log << "bench: the drill of " << entry << " did not start\n";
            failed = true;
        }
        return ms;
    };
    std::vector<double> fresh, early, fixed, storyIdle, storyEarly;
    for (int i = 0; i < options.freshStarts; ++i) {
        const DrillOptions freshNumbers{.numbers = Numbers::Fresh,
                                        .seed = static_cast<std::uint64_t>(i + 1)};
        fixed.push_back(firstProblem(set, {}, true));
        fresh.push_back(firstProblem(set, freshNumbers, true));
        early.push_back(firstProblem(set, freshNumbers, false));
        storyIdle.push_back(firstProblem(story, freshNumbers, true));
        storyEarly.push_back(firstProblem(story, freshNumbers, false));
    }
    const auto shownRow = [](const QString& measure, double figure, double floor) {
        Row row = ratioRow(measure, figure, floor, 0);
        row.target = QStringLiteral("-");
        row.verdict = Verdict::None;
        return row;
    };

    // Every fresh bank of a seed, beside proving each problem of the banks once; every set
    // only fresh numbers ask, made as the drill makes it, beside those banks.
    std::vector<double> banks, proofs, stories;
    std::map<QString, std::vector<double>> perSet;
    std::map<QString, QStringList> unmade; // the seeds a set could not be made for
    std::size_t bankProblems = 0;
    for (const Bank* bank : catalogueBanks()) {
        bankProblems += bank->problems.size();
    }
    std::vector<const CatalogueEntry*> storyEntries;
    for (const CatalogueEntry& entry : catalogue()) {
        if (!entry.generator.isEmpty() && entry.choosable(Numbers::Fresh)) {
            storyEntries.push_back(&entry);
        }
    }
    for (int round = 0; round < options.freshRounds; ++round) {
        const auto seed = static_cast<std::uint64_t>(round + 1);
        banks.push_back(timed([&] {
            for (const Bank* bank : catalogueBanks()) {
                if (!makeFreshBank(*bank, seed)) {
                    log << "bench: no fresh bank of " << bank->builder << "\n";
                    failed = true;
                }
            }
        }));
        double total = 0;
        for (const CatalogueEntry* entry : storyEntries) {
            bool made = false;
            const double ms = timed([&] { made = static_cast<bool>(makeFreshSet(*entry, seed)); });
            total += ms;
            perSet[menuPath(*entry)].push_back(ms);
            if (!made) {
                unmade[menuPath(*entry)] << QString::number(seed);
            }
        }
        stories.push_back(total);
        proofs.push_back(timed([&] {
            for (const Bank* bank : catalogueBanks()) {
                for (const BankProblem& problem : bank->problems) {
                    showProblem(problem.question.toString());
                }
            }
        }));
    }
    for (const auto& [name, seeds] : unmade) {
        log << "bench: no fresh set of " << name << " for seed " << seeds.join(QStringLiteral(", "))
            << "\n";
        failed = true;
    }
    QString slowestSet;
    double slowestMs = -1;
    for (const auto& [name, samples] : perSet) {
        if (median(samples) > slowestMs) {
            slowestMs = median(samples);
            slowestSet = name;
        }
    }
    // Everything a fresh window makes after its first paint, ready before a pupil can click.
    const double prepared = median(banks) + median(stories);
    Row storyRow = ratioRow(QStringLiteral("all %1 word-problem and ratio sets of a seed made and "
                                           "proven; floor: the %2 fresh banks of the same seed")
                                .arg(storyEntries.size())
                                .arg(catalogueBanks().size()),
                            median(stories), median(banks), 0);
    storyRow.target = QStringLiteral("with the banks < %1 ms").arg(pupilsReach.count());
    storyRow.verdict =
        prepared < static_cast<double>(pupilsReach.count()) ? Verdict::Ok : Verdict::Missed;
    storyRow.missedNote =
        QStringLiteral("every fresh set of a seed: %1, more than a pupil's reach of %2 ms")
            .arg(milliseconds(prepared))
            .arg(pupilsReach.count());
    Row slowRow;
    slowRow.measure = QStringLiteral("  the slowest of them, %1").arg(slowestSet);
    slowRow.figure = milliseconds(slowestMs);
    slowRow.floor = QStringLiteral("-");
    slowRow.ratio = QStringLiteral("-");
    slowRow.target = QStringLiteral("-");

    return {ratioRow(QStringLiteral("menu click to the first fresh problem painted (基本１, 50 "
                                    "problems); floor: the same with the banks' own"),
                     median(fresh), median(fixed), freshStartTarget),
            shownRow(QStringLiteral("  the same, clicked before the fresh banks were made"),
                     median(early), median(fixed)),
            ratioRow(QStringLiteral("menu click to the first word problem painted (文章問題1 → "
                                    "速さ, fresh); floor: 基本１ with the banks' own"),
                     median(storyIdle), median(fixed), freshStartTarget),
            shownRow(QStringLiteral("  the same, clicked before its set was made"),
                     median(storyEarly), median(fixed)),
            ratioRow(QStringLiteral("all %1 fresh banks of a seed made and proven; floor: each "
                                    "of the %2 bank problems proven once")
                         .arg(catalogueBanks().size())
                         .arg(bankProblems),
                     median(banks), median(proofs), freshBanksTarget),
            storyRow,
            slowRow};
}

} // namespace

std::vector<Row> runWindowBenchmarks(const WindowOptions& options, QTextStream& log, bool& failed) {
    RealWindow real(options.programFolder);
    if (!real.window().load()) {
        log << "bench: the window did not start\n";
        failed = true;
        return {};
    }
    settle();
    // Keys reach the editor only while a drill runs.
    real.window().menuAction(QStringLiteral("tosiki1"))->trigger();
    settle();
    if (real.s().drillRunning != 1) {
        log << "bench: the drill did not start\n";
        failed = true;
        return {};
    }

    std::vector<Row> rows = keyBenchmarks(real, options, log, failed);
    rows.push_back(separator());
    rows.push_back(advanceBenchmark(real, options, log, failed));
    rows.push_back(separator());
    for (Row& row : solutionBenchmark(real, options, log, failed)) {
        rows.push_back(std::move(row));
    }
    rows.push_back(separator());
    for (Row& row : freshBenchmarks(options, log, failed)) {
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace minamo::bench
