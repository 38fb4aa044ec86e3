#include "algebra/worked_solution.h"

#include "banks/banks.h"
#include "catalogue/catalogue.h"
#include "core/fixed_list.h"
#include "fake/fake_drill.h"
#include "fake/qstring_printer.h"
#include "fake/solution_reading.h"

#include <gtest/gtest.h>

#include <random>

namespace minamo {
namespace {

const QString font = QStringLiteral(" MS Gothic 21.75 ");

struct Loaded : FakeDrill {

    // The solution of one equation, as judging starts it after a first miss.
    QStringList solve(const QString& equation) {
        s().explainedEquation = equation;
        s().solutionLineCount = 0;
        showWorkedSolution(d());
        return trace::readSolutionLines(fake.picture7.ops(), s(), equation);
    }

    QStringList log() const {
        QStringList lines;
        for (const DrawOp& op : fake.picture7.ops()) {
            lines << op.toString();
        }
        return lines;
    }
};

QStringList linesOf(std::initializer_list<const char*> lines) {
    QStringList list;
    for (const char* line : lines) {
        list << QString::fromUtf8(line);
    }
    return list;
}

TEST(WorkedSolution, StepsOfTheDesignTable) {
    const struct {
        const char* equation;
        QStringList shown;
    } cases[] = {
        {"4x+2=2x", linesOf({"", "4x+2=2x", "4x-2x=-2", "2x=-2", "x=-1"})},
        // the collected step +x+3=4 begins with "+" and is dropped
        {"x+3=4", linesOf({"", "1x=4-3", "1x=1", "x=1"})},
        {"-3(x+6)=2(x-3)", linesOf({"", "-3x-18=2x-6", "-3x-2x=-6+18", "-5x=12", "x=-12/5"})},
        // the collected, transposition and collected-form steps all repeat 3x=1
        {"3/5x=1/5", linesOf({"3/5x=1/5", "3x/5=1/5", "", "3x=1", "x=1/3"})},
        {"-6(-x-9)-6(-4x-7)=6",
         linesOf({"", "+6x+54+24x+42=6", "30x+96=6", "30x=6-96", "30x=-90", "x=-3"})},
        {"-13=6-2(3x-1)", linesOf({"", "-13=-6x+8", "0+6x=8+13", "6x=21", "x=21/6", "x=7/2"})},
        // a collected coefficient of 0
        {"2x+1=2x+3", linesOf({"", "2x+1=2x+3", "2x-2x=3-1", "0x=2", "x=0"})},
    };
    for (const auto& c : cases) {
        Loaded w;
        EXPECT_EQ(w.solve(QString::fromUtf8(c.equation)), c.shown) << c.equation;
        EXPECT_EQ(w.s().pendingEquation, QString()) << c.equation;
    }
}

TEST(WorkedSolution, NothingMovedAndNoConstantLeftReadsZero) {
    // Moving nothing to a right side without a constant must not leave a bare "=".
    const struct {
        const char* equation;
        QStringList shown;
    } cases[] = {
        {"-x=0", linesOf({"", "-x=0", "-1x=0", "x=0"})},
        {"2/9x=0", linesOf({"2/9x=0/1", "2x/9=0/9", "", "2x=0", "x=0"})},
        {"-2/3x=0", linesOf({"-2/3x=0/1", "-2x/3=0/3", "", "-2x=0", "x=0"})},
        // with a moved constant the right side is the moved term alone, as designed
        {"2x-9=-7x", linesOf({"", "2x-9=-7x", "2x+7x=+9", "9x=9", "x=1"})},
    };
    for (const auto& c : cases) {
        Loaded w;
        EXPECT_EQ(w.solve(QString::fromUtf8(c.equation)), c.shown) << c.equation;
    }
}

TEST(WorkedSolution, TranspositionStepIsColouredAndTextTurnsBlack) {
    Loaded w;
    // A design colour other than black shows which prints keep the picture's own colour.
    const Rgb design{10, 20, 30};
    w.fake.picture7.setForeColor(design);
    w.fake.picture7.forgetLog();
    w.solve(QStringLiteral("4x+2=2x"));

    QStringList prints;
    for (const DrawOp& op : w.fake.picture7.drawing()) {
        prints << op.toString();
    }
    const QString d = QStringLiteral("#0a141e");
    EXPECT_EQ(prints, (QStringList{
                          QStringLiteral("print (0,0) \"\" break") + font + d,
                          QStringLiteral("print (0,455) \"4x+2=2x\" break") + font + d,
                          QStringLiteral("print (0,890) \"4x\" stay") + font + d,
                          QStringLiteral("print (435,890) \"-\" stay") + font + "#ff0000",
                          QStringLiteral("print (652.5,890) \"2x\" stay") + font + "#0000ff",
                          QStringLiteral("print (1087.5,890) \"=\" stay") + font + "#000000",
                          QStringLiteral("print (1305,890) \"-\" stay") + font + "#ff0000",
                          QStringLiteral("print (1522.5,890) \"2\" break") + font + "#0000ff",
                          QStringLiteral("print (0,1345) \"2x=-2\" break") + font + "#000000",
                          QStringLiteral("print (0,1800) \"x=-1\" break") + font + "#000000",
                      }));
    EXPECT_EQ(w.fake.picture7.foreColor(), colour::black);
}

TEST(WorkedSolution, FractionalSolutionIsStackedWithAGreenBar) {
    Loaded w;
    w.solve(QStringLiteral("-3(x+6)=2(x-3)"));
    const QStringList log = w.log();
    ASSERT_GE(log.size(), 4);
    EXPECT_EQ(log.mid(log.size() - 4),
              (QStringList{
                  QStringLiteral("print (0,1980) \"x=-\" stay") + font + "#000000",
                  QStringLiteral("print (652.5,1780) \"12\" break") + font + "#000000",
                  QStringLiteral("line (652.5,2180)-(1002.5,2180) #008000"),
                  QStringLiteral("print (702.5,2180) \"5\" break") + font + "#000000",
              }));
}

TEST(WorkedSolution, ReducibleSolutionIsShownReducedBelow) {
    Loaded w;
    w.solve(QStringLiteral("-13=6-2(3x-1)"));
    const QStringList log = w.log();
    ASSERT_GE(log.size(), 8);
    EXPECT_EQ(log.mid(log.size() - 8),
              (QStringList{
                  QStringLiteral("print (0,1980) \"x=\" stay") + font + "#000000",
                  QStringLiteral("print (435,1780) \"21\" break") + font + "#000000",
                  QStringLiteral("line (435,2180)-(785,2180) #008000"),
                  QStringLiteral("print (485,2180) \"6\" break") + font + "#000000",
                  QStringLiteral("print (0,2815) \"x=\" break") + font + "#000000",
                  QStringLiteral("print (535,2615) \"7\" break") + font + "#000000",
                  QStringLiteral("line (485,3015)-(835,3015) #008000"),
                  QStringLiteral("print (535,3015) \"2\" break") + font + "#000000",
              }));
}

TEST(WorkedSolution, FractionLinesAreStackedAt400And1200) {
    Loaded w;
    w.solve(QStringLiteral("3/5x=1/5"));
    std::vector<double> bars;
    for (const DrawOp& op : w.fake.picture7.drawing()) {
        if (op.kind == DrawOp::Kind::Line && op.y < 2000) {
            bars.push_back(op.y);
        }
    }
    EXPECT_EQ(bars, (std::vector<double>{400, 400, 1200, 1200}));
    EXPECT_EQ(w.s().layoutY, 2000);
    EXPECT_EQ(w.s().solutionLineCount, 6);
    EXPECT_TRUE(w.fake.picture2.drawing().size() <= 1); // only the start-up invitation
}

TEST(WorkedSolution, SecondMissContinuesBelowTheFirst) {
    Loaded w;
    w.solve(QStringLiteral("4x+2=2x"));
    const double endOfFirst = w.fake.picture7.currentY();
    const auto firstOps = w.fake.picture7.ops().size();
    EXPECT_EQ(w.solve(QStringLiteral("4x+2=2x")).mid(5),
              linesOf({"", "4x+2=2x", "4x-2x=-2", "2x=-2", "x=-1"}));
    ASSERT_GT(w.fake.picture7.ops().size(), firstOps);
    EXPECT_EQ(w.fake.picture7.ops()[firstOps].y, endOfFirst); // the empty line, where it ended
}

TEST(WorkedSolution, SecondMissAtAFractionEquationRedrawsInPlace) {
    // The fraction lines start at 400 again and the text follows them: the second solution
    // lands exactly on the first.
    Loaded w;
    w.solve(QStringLiteral("x-1/3=1/3"));
    const std::vector<DrawOp> first = w.fake.picture7.ops();
    w.solve(QStringLiteral("x-1/3=1/3"));
    const std::vector<DrawOp>& both = w.fake.picture7.ops();
    ASSERT_EQ(both.size(), 2 * first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(both[first.size() + i].toString(), first[i].toString());
    }
}

TEST(WorkedSolution, SolutionLineIsPrintedTwentyTwipsBelowTheRoundedPen) {
    const struct {
        double penY;
        double printedAt;
    } cases[] = {{0, 20}, {100.5, 120}, {101.5, 122}, {435, 455}, {99.4, 119}};
    for (const auto& c : cases) {
        Loaded w;
        w.fake.picture7.setPen(300, c.penY);
        w.s().currentLine = QStringLiteral("2x=6");
        printSolutionLine(w.d());
        ASSERT_EQ(w.fake.picture7.drawing().size(), 1u);
        const DrawOp op = w.fake.picture7.drawing().front();
        EXPECT_EQ(op.y, c.printedAt) << c.penY;
        EXPECT_EQ(op.x, 300);
        EXPECT_EQ(op.end, LineEnd::Break);
    }
    Loaded w;
    w.s().currentLine.clear();
    printSolutionLine(w.d());
    EXPECT_TRUE(w.fake.picture7.ops().empty());
}

TEST(WorkedSolution, EveryBankProblemEndsWithItsAnswer) {
    for (const Bank* set : catalogueBanks()) {
        DrillState bank;
        fillBank(bank, *set);
        for (int i = 1; i <= bank.bankCount; ++i) {
            QString equation = bank.bankQuestion[i];
            const int instruction = equation.indexOf(QStringLiteral(" 方程式を"));
            if (instruction >= 0) {
                equation = equation.left(instruction);
            }
            Loaded w;
            const QStringList shown = w.solve(equation);
            ASSERT_FALSE(shown.isEmpty()) << equation.toStdString();
            EXPECT_EQ(shown.back(), bank.bankAnswer[i])
                << set->builder.toString().toStdString() << " " << i << ": "
                << equation.toStdString() << "\n"
                << shown.join(QStringLiteral("\n")).toStdString();
            // No step is ever an unfinished equation.
            for (const QString& line : shown) {
                EXPECT_FALSE(line.endsWith(u'=')) << equation.toStdString();
            }
        }
    }
}

TEST(WorkedSolution, WithoutEqualsNothingIsWritten) {
    for (const char* text : {"", "2x+1", "3/4x", "方程式"}) {
        Loaded w;
        w.solve(QString::fromUtf8(text));
        EXPECT_TRUE(w.fake.picture7.ops().empty()) << text;
    }
}

TEST(WorkedSolution, ArbitraryShortTextsNeverFaultOrLeaveTheLists) {
    const QString alphabet = QStringLiteral("x0123456789+-=()/ y.×÷^－χ");
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    const auto violations = rangeViolations();
    Loaded w;
    for (int n = 0; n < 3000; ++n) {
        QString text;
        for (int k = length(random); k > 0; --k) {
            text += alphabet[pick(random)];
        }
        w.fake.picture7.clear();
        w.fake.picture7.forgetLog();
        w.s().solutionLineCount = static_cast<int16>(n % 12);
        w.s().explainedEquation = text;
        showWorkedSolution(w.d());
    }
    EXPECT_EQ(rangeViolations(), violations);
}

} // namespace
} // namespace minamo
