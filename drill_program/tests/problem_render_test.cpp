// Every problem of the banks drawn through the presentation on the real window, in the
// installed fonts. The fraction problems are saved as PNGs for review (with four times
// enlarged crops and a table of measurements, build/screenshots/problems/) and checked for
// what a pupil would notice: numerators and denominators centred on their bars and clear of
// them, no glyph touching a bar or another glyph (the letter after a bar excepted, see
// below), nothing cut off or hidden behind Picture7.

#include "app/presentation.h"
#include "banks/banks.h"
#include "catalogue/catalogue.h"
#include "design/font_families.h"
#include "design/form_layout.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "fresh/fresh_bank.h"
#include "qt/fonts.h"
#include "drill_program/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPixmap>
#include <QTextStream>
#include <algorithm>
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

namespace minamo {
namespace {

const QString problemsFolder = QStringLiteral(MINAMO_BUILD_DIR "/screenshots/problems");

// The problem area's visible part: Picture7 lies in front of it from y 1080 on (it spans
// x 0..6015), so nothing of a problem may reach below that.
constexpr double areaWidth = 8775;
constexpr double visibleHeight = 1080;

// How far (twips) the middle of a numerator's or denominator's ink may lie from the middle
// of its bar. A quarter of the design font's em (20.25 pt = 405 twips) still reads as
// centred; an estimate off by a whole character would not.
constexpr double centringTolerance = 100;
// The ink of a part may reach this far beyond an end of its bar, under half a digit: the
// estimates count 200 twips a character, the installed font's digits are wider (see the
// advances in layout.txt), so a two-digit numerator standing 40 twips in overruns its bar.
constexpr double overhangTolerance = 120;
// Numerators and denominators keep at least a pixel (at 96 dpi) clear of their bar.
constexpr double minimumGap = 15;

struct Printed {
    double x = 0, y = 0; // top left corner of the text, twips
    QString text;
    QRectF ink;          // the glyphs' ink, twips
    QPainterPath glyphs; // the glyphs' outlines, pixels
};

struct Bar {
    double x1 = 0, x2 = 0, y = 0;
    int numerator = -1; // index into the prints, -1 when none
    int denominator = -1;
};

// Passes every operation on to the real problem area and notes where text and bars went,
// measuring the ink with the real font.
class RecordingArea : public PictureArea {
public:
    RecordingArea(QtPictureArea& real, TwipsScale scale) : real_(real), scale_(scale) {}

    void clear() override {
        prints.clear();
        bars.clear();
        real_.clear();
    }
    void setVisible(bool visible) override { real_.setVisible(visible); }
    bool isVisible() const override { return real_.isVisible(); }
    double heightTwips() const override { return real_.heightTwips(); }
    double currentX() const override { return real_.currentX(); }
    double currentY() const override { return real_.currentY(); }
    void setCurrentX(double x) override { real_.setCurrentX(x); }
    void setCurrentY(double y) override { real_.setCurrentY(y); }
    QString fontName() const override { return real_.fontName(); }
    void setFontName(const QString& name) override { real_.setFontName(name); }
    double fontSize() const override { return real_.fontSize(); }
    void setFontSize(double points) override { real_.setFontSize(points); }
    Rgb foreColor() const override { return real_.foreColor(); }
    void setForeColor(Rgb colour) override { real_.setForeColor(colour); }
    double textWidth(const QString& text) const override { return real_.textWidth(text); }
    void print(const QString& text, LineEnd end) override {
        if (!text.isEmpty()) {
            prints.push_back(
                {real_.currentX(), real_.currentY(), text, inkOf(text), outlineOf(text)});
        }
        real_.print(text, end);
    }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override {
        if (y1 == y2 && colour == colour::green) {
            bars.push_back({std::min(x1, x2), std::max(x1, x2), y1});
        }
        real_.line(x1, y1, x2, y2, colour);
    }
    void box(double x1, double y1, double x2, double y2, Rgb colour, BoxFill fill) override {
        real_.box(x1, y1, x2, y2, colour, fill);
    }
    void setScale(double left, double top, double right, double bottom) override {
        real_.setScale(left, top, right, bottom);
    }
    QString spokenText() const override { return real_.spokenText(); }
    void setSpokenText(const QString& text) override { real_.setSpokenText(text); }

    std::vector<Printed> prints;
    std::vector<Bar> bars;

private:
    QRectF inkOf(const QString& text) const {
        const QFontMetricsF metrics(designFont(real_.fontName(), real_.fontSize()), &real_.image());
        const QRectF tight = metrics.tightBoundingRect(text); // pixels, from the baseline
        const double left = scale_.toPixels(real_.currentX());
        const double baseline = scale_.toPixels(real_.currentY()) + metrics.ascent();
        const QRectF pixels = tight.translated(left, baseline);
        return {scale_.toTwips(pixels.left()), scale_.toTwips(pixels.top()),
                scale_.toTwips(pixels.width()), scale_.toTwips(pixels.height())};
    }

    QPainterPath outlineOf(const QString& text) const {
        const QFont font = designFont(real_.fontName(), real_.fontSize());
        const QFontMetricsF metrics(font, &real_.image());
        QPainterPath path;
        path.addText(scale_.toPixels(real_.currentX()),
                     scale_.toPixels(real_.currentY()) + metrics.ascent(), font, text);
        return path;
    }

    QtPictureArea& real_;
    TwipsScale scale_;
};

// A real window on the offscreen platform with fake services; the presentation draws into
// its Picture2 through the recorder.
struct ProblemWindow {
    ProblemWindow()
        : window({files, clock, random, lock}),
          recorder(window.picture(ControlId::Picture2), window.scale()),
          ui(withRecorder(window.form().drill().ui, recorder)), drill{window.form().state(), ui} {
        EXPECT_TRUE(window.load());
        QApplication::processEvents();
    }

    static Platform withRecorder(Platform& p, PictureArea& picture2) {
        return substituted(p, {.picture2 = &picture2});
    }

    // Presents one problem as the first of a drill list and pairs each bar with the
    // numerator above it and the denominator below it.
    void present(const QString& problem) {
        DrillState& s = drill.s;
        s.question[1] = problem;
        s.bankCount = 1;
        s.currentIndex = 0;
        s.clockMinutes = 10; // a running countdown: the clock label is left alone
        advanceProblem(drill);
        for (Bar& bar : recorder.bars) {
            bar.numerator = nearestOver(bar, bar.y - 400);
            bar.denominator = nearestOver(bar, bar.y);
        }
    }

    const QImage& image() { return window.picture(ControlId::Picture2).image(); }

    FakeFileSystem files;
    FakeClock clock;
    FakeRandom random;
    FakeInstanceLock lock;
    MainWindow window;
    RecordingArea recorder;
    Platform ui;
    Drill drill;

private:
    // The print at row y whose ink overlaps the bar's span the most.
    int nearestOver(const Bar& bar, double y) const {
        int best = -1;
        double bestOverlap = 0;
        for (int i = 0; i < static_cast<int>(recorder.prints.size()); ++i) {
            const Printed& p = recorder.prints[static_cast<std::size_t>(i)];
            const double overlap = std::min(p.ink.right(), bar.x2) - std::max(p.ink.left(), bar.x1);
            if (p.y == y && overlap > bestOverlap) {
                best = i;
                bestOverlap = overlap;
            }
        }
        return best;
    }
};

struct NumberedProblem {
    QString builder;
    int position = 0;
    QString text;
};

// Every problem of the banks, or of their fresh banks for a seed.
std::vector<NumberedProblem> bankProblems(std::optional<std::uint64_t> freshSeed = std::nullopt) {
    std::vector<NumberedProblem> problems;
    for (const Bank* bank : catalogueBanks()) {
        std::optional<Result<FreshBank>> fresh;
        if (freshSeed) {
            fresh.emplace(makeFreshBank(*bank, *freshSeed));
            EXPECT_TRUE(*fresh);
        }
        int position = 0;
        for (const BankProblem& problem :
             fresh && *fresh ? (*fresh)->bank().problems : bank->problems) {
            problems.push_back({bank->builder.toString(), ++position, problem.question.toString()});
        }
    }
    return problems;
}

// What the checks of all problems found, for the review table and the summary.
struct Findings {
    double worstOffCentre = 0; // twips
    double worstOverhang = 0;  // twips beyond a bar's end
    double smallestGap = 1e9;  // twips between a bar and its numerator or denominator
    QStringList touches;       // trailing letters touching their own fraction
};

QRectF barRect(const Bar& bar, const TwipsScale& scale) {
    const double y = scale.toPixels(bar.y);
    return QRectF(QPointF(scale.toPixels(bar.x1), y - 0.5),
                  QPointF(scale.toPixels(bar.x2), y + 0.5));
}

// Checks one presented problem; returns a line for the review table.
QString checkLayout(const ProblemWindow& w, const QString& name, Findings& findings) {
    const auto& prints = w.recorder.prints;
    const auto& bars = w.recorder.bars;
    const TwipsScale& scale = w.window.scale();
    QString report = name;

    // A letter after a denominator stands at its bar's right end, on the middle line.
    auto trailingBar = [&](const Printed& p) {
        for (std::size_t b = 0; b < bars.size(); ++b) {
            if (p.text == QStringLiteral("x") && p.x == bars[b].x2 && p.y == bars[b].y - 200) {
                return static_cast<int>(b);
            }
        }
        return -1;
    };
    auto partOf = [&](int printIndex, int barIndex) {
        const Bar& bar = bars[static_cast<std::size_t>(barIndex)];
        return printIndex == bar.numerator || printIndex == bar.denominator;
    };

    for (const Printed& p : prints) {
        EXPECT_GE(p.ink.left(), 0) << p.text.toStdString();
        EXPECT_GE(p.ink.top(), 0) << p.text.toStdString();
        EXPECT_LE(p.ink.right(), areaWidth) << p.text.toStdString();
        EXPECT_LT(p.ink.bottom(), visibleHeight) << p.text.toStdString();
        for (const Bar& bar : bars) {
            EXPECT_FALSE(p.glyphs.intersects(barRect(bar, scale)))
                << "\"" << p.text.toStdString() << "\" touches a bar";
        }
    }
    for (int i = 0; i < static_cast<int>(prints.size()); ++i) {
        for (int j = i + 1; j < static_cast<int>(prints.size()); ++j) {
            const Printed& a = prints[static_cast<std::size_t>(i)];
            const Printed& b = prints[static_cast<std::size_t>(j)];
            if (!a.glyphs.intersects(b.glyphs)) {
                continue;
            }
            // The letter after a bar is placed at the bar's end by the fixed estimates, which
            // count 200 twips a character; the installed font's digits are wider, so a part
            // may reach under it. Such touches are listed, every other one fails.
            const int barOfA = trailingBar(a);
            const int barOfB = trailingBar(b);
            if ((barOfA >= 0 && partOf(j, barOfA)) || (barOfB >= 0 && partOf(i, barOfB))) {
                findings.touches
                    << QStringLiteral("%1: \"%2\" and \"%3\"").arg(name, a.text, b.text);
                report += QStringLiteral("  touch %1|%2").arg(a.text, b.text);
                continue;
            }
            ADD_FAILURE() << "\"" << a.text.toStdString() << "\" and \"" << b.text.toStdString()
                          << "\" touch";
        }
    }
    for (const Bar& bar : bars) {
        const double middle = (bar.x1 + bar.x2) / 2;
        report += QStringLiteral("  bar %1..%2").arg(std::lround(bar.x1)).arg(std::lround(bar.x2));
        for (const auto& [index, role] :
             {std::pair{bar.numerator, "numerator"}, std::pair{bar.denominator, "denominator"}}) {
            if (index < 0) {
                ADD_FAILURE() << "a bar without its " << role;
                continue;
            }
            const Printed& p = prints[static_cast<std::size_t>(index)];
            const bool above = role[0] == 'n';
            const double offCentre = p.ink.center().x() - middle;
            const double gap = above ? bar.y - p.ink.bottom() : p.ink.top() - bar.y;
            const double overhang = std::max(bar.x1 - p.ink.left(), p.ink.right() - bar.x2);
            report += QStringLiteral(" %1 \"%2\" off %3 gap %4 over %5")
                          .arg(QLatin1String(role), p.text)
                          .arg(std::lround(offCentre))
                          .arg(std::lround(gap))
                          .arg(std::lround(overhang));
            findings.worstOffCentre = std::max(findings.worstOffCentre, std::abs(offCentre));
            findings.worstOverhang = std::max(findings.worstOverhang, overhang);
            findings.smallestGap = std::min(findings.smallestGap, gap);
            EXPECT_LE(std::abs(offCentre), centringTolerance)
                << role << " " << p.text.toStdString();
            EXPECT_LE(overhang, overhangTolerance) << role << " " << p.text.toStdString();
            EXPECT_GE(gap, minimumGap) << role << " " << p.text.toStdString();
        }
    }
    return report;
}

// The green bars as they came out on the image: rows of pure green pixels.
int greenRuns(const QImage& image) {
    const QColor green(0, 128, 0);
    int runs = 0;
    for (int y = 0; y < image.height(); ++y) {
        bool inRun = false;
        for (int x = 0; x < image.width(); ++x) {
            const bool isGreen = image.pixelColor(x, y) == green;
            runs += isGreen && !inRun;
            inRun = isGreen;
        }
    }
    return runs;
}

// The top of the problem area, where a problem stands, four times enlarged for review.
QImage zoomed(ProblemWindow& w) {
    double right = 0;
    for (const Printed& p : w.recorder.prints) {
        right = std::max(right, p.ink.right());
    }
    const TwipsScale& scale = w.window.scale();
    const qreal ratio = w.image().devicePixelRatio();
    const QRect top(0, 0, qCeil(scale.toPixels(right + 300) * ratio),
                    qCeil(scale.toPixels(visibleHeight) * ratio));
    return w.image().copy(top).scaled(top.size() * 4, Qt::IgnoreAspectRatio,
                                      Qt::FastTransformation);
}

// The installed font's advances of the characters fractions are made of, in twips: the
// layout counts 200 for each.
QString advances(ProblemWindow& w) {
    QString line = QStringLiteral("advances (twips) in %1 %2 pt at %3 dpi:")
                       .arg(font::installedFamily(w.window.picture(ControlId::Picture2).fontName()))
                       .arg(w.window.picture(ControlId::Picture2).fontSize())
                       .arg(w.window.scale().dpi);
    for (const QChar c : QStringLiteral("0123456789x=-+()")) {
        line += QStringLiteral(" %1 %2").arg(c).arg(
            w.window.picture(ControlId::Picture2).textWidth(QString(c)), 0, 'f', 1);
    }
    return line;
}

// Draws every fraction problem of the list, saves it in folder and checks its layout;
// returns how many there were.
int checkFractionProblems(const std::vector<NumberedProblem>& problems, const QString& folder) {
    QDir().mkpath(folder);
    ProblemWindow w;
    QFile tableFile(folder + QStringLiteral("/layout.txt"));
    EXPECT_TRUE(tableFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QTextStream table(&tableFile);
    table << advances(w) << '\n';

    Findings findings;
    int fractionProblems = 0;
    for (const NumberedProblem& problem : problems) {
        if (!problem.text.contains(u'/')) {
            continue;
        }
        ++fractionProblems;
        const QString name = QStringLiteral("%1-%2").arg(problem.builder).arg(problem.position);
        SCOPED_TRACE(name.toStdString() + " " + problem.text.toStdString());
        w.present(problem.text);
        EXPECT_FALSE(w.recorder.bars.empty());
        EXPECT_EQ(greenRuns(w.image()), static_cast<int>(w.recorder.bars.size()));
        table << checkLayout(w, name, findings) << "  " << problem.text << '\n';
        EXPECT_TRUE(w.image().save(folder + u'/' + name + QStringLiteral(".png")));
        EXPECT_TRUE(zoomed(w).save(folder + u'/' + name + QStringLiteral("-zoom.png")));
    }
    const QString summary =
        QStringLiteral("%1 fraction problems; worst off-centre %2, worst overhang %3, smallest gap "
                       "%4 (twips); %5 trailing letters touch their fraction")
            .arg(fractionProblems)
            .arg(std::lround(findings.worstOffCentre))
            .arg(std::lround(findings.worstOverhang))
            .arg(std::lround(findings.smallestGap))
            .arg(findings.touches.size());
    table << summary << '\n' << findings.touches.join(u'\n') << '\n';
    table.flush();
    std::cout << summary.toStdString() << std::endl;
    return fractionProblems;
}

int fractionProblems(const std::vector<NumberedProblem>& problems) {
    return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                          [](const auto& p) { return p.text.contains(u'/'); }));
}

TEST(ProblemRender, EveryFractionProblemOfTheBanksLooksRight) {
    const auto problems = bankProblems();
    ASSERT_GT(fractionProblems(problems), 0);
    EXPECT_EQ(checkFractionProblems(problems, problemsFolder), fractionProblems(problems));
}

// Fresh numbers in the installed fonts: the shapes' fraction problems with other numbers,
// as many as the banks have.
TEST(ProblemRender, EveryFractionProblemOfAFreshBankLooksRight) {
    EXPECT_EQ(checkFractionProblems(bankProblems(1), problemsFolder + QStringLiteral("/fresh-1")),
              fractionProblems(bankProblems()));
}

TEST(ProblemRender, PlainProblemsFitTheVisibleProblemArea) {
    QDir().mkpath(problemsFolder);
    ProblemWindow w;
    int plain = 0;
    for (const NumberedProblem& problem : bankProblems()) {
        if (problem.text.contains(u'/')) {
            continue;
        }
        ++plain;
        SCOPED_TRACE(problem.builder.toStdString() + " " + std::to_string(problem.position));
        w.present(problem.text);
        Findings findings;
        checkLayout(w, problem.text, findings);
        // A 21-character problem's second line is empty.
        EXPECT_EQ(w.recorder.prints.size(), problem.text.size() > 21 ? 2u : 1u);
    }
    EXPECT_EQ(plain, static_cast<int>(bankProblems().size()) - fractionProblems(bankProblems()));

    // The longest problem of the banks, on two lines.
    w.present(QStringLiteral("-5(-9x-2)-5(-4x+7)=-5(x-9) 方程式を解いて。"));
    Findings findings;
    checkLayout(w, QStringLiteral("two lines"), findings);
    ASSERT_EQ(w.recorder.prints.size(), 2u);
    EXPECT_LT(w.recorder.prints[0].ink.bottom(), w.recorder.prints[1].ink.top());
    EXPECT_TRUE(w.image().save(problemsFolder + QStringLiteral("/plain-two-lines.png")));
}

TEST(ProblemRender, FiveTermProblemInTheWholeWindow) {
    QDir().mkpath(problemsFolder);
    ProblemWindow w;
    w.present(QStringLiteral("5/6-3/4x=+2/3-1/2x 方程式を解いて。"));
    EXPECT_EQ(w.recorder.bars.size(), 4u);
    QApplication::processEvents();
    EXPECT_TRUE(
        w.window.grab().save(problemsFolder + QStringLiteral("/window-fillFraction2-11.png")));
}

} // namespace
} // namespace minamo
