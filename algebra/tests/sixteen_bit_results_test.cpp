// Results beyond the 16-bit range, as the equation fuzzer found them: a result that fits is
// exact even when a step on the way does not, and a result that cannot be worked out in 16
// bits is not shown at all rather than shown wrong.

#include "algebra/fraction_clearing.h"
#include "algebra/side_simplifier.h"
#include "algebra/worked_solution.h"
#include "fake/fake_drill.h"
#include "fake/qstring_printer.h"
#include "fake/solution_reading.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

struct Loaded : FakeDrill {
    QStringList solve(const QString& equation) {
        s().explainedEquation = equation;
        s().solutionLineCount = 0;
        showWorkedSolution(d());
        return trace::readSolutionLines(fake.picture7.ops(), s(), equation);
    }
};

TEST(SixteenBitResults, SideIsExactWhenOnlyAStepLeavesTheRange) {
    const struct {
        const char* side;
        const char* collected;
        int16 coefficient;
        int16 constant;
    } cases[] = {
        // each product saturated on its own used to cancel out to 0 or -1
        {"300(200x)-300(199x)", "300x", 300, 0},
        {"40000x-39999x", "+x", 1, 0},
        {"30000+30000-30000", "+30000", 0, 30000},
        {"-20000-20000+25000", "-15000", 0, -15000},
        {"2(20000x-1)-3(10000x+1)", "10000x-5", 10000, -5},
        // what does not fit saturates with its sign, as before
        {"30000x+30000x", "32767x", 32767, 0},
        {"-300(200x)", "-32768x", -32768, 0},
    };
    for (const auto& c : cases) {
        DrillState s;
        s.sideText = QString::fromUtf8(c.side);
        simplifySide(s);
        EXPECT_EQ(s.sideCollected, QString::fromUtf8(c.collected)) << c.side;
        EXPECT_EQ(s.sideCoefficient, c.coefficient) << c.side;
        EXPECT_EQ(s.sideConstant, c.constant) << c.side;
    }
}

TEST(SixteenBitResults, FractionsWithoutA16BitCommonDenominatorAreNotCleared) {
    const struct {
        const char* equation;
        const char* sorted;
    } cases[] = {
        {"x/181+x/191=1", "x/181+x/191=1/1"},           // 34571 does not fit
        {"53627/3-33=27+7x", "53627/3-33/1=7x/1+27/1"}, // a numerator beyond the range
        {"x/2=1/40000", "x/2=1/40000"},                 // a denominator beyond the range
        {"20000/1x=1/2", "20000/1x=1/2"},               // 40000x=1 would not fit
    };
    for (const auto& c : cases) {
        DrillState s;
        s.primes[1] = 2; // enough of the prime table for these
        s.primes[2] = 3;
        s.currentLine = QString::fromUtf8(c.equation);
        clearFractions(s);
        EXPECT_EQ(s.fractionLines[1], QString::fromUtf8(c.sorted)) << c.equation;
        EXPECT_EQ(s.fractionLines[2], QString()) << c.equation;
        EXPECT_EQ(s.fractionLines[3], QString()) << c.equation;
        EXPECT_EQ(s.pendingEquation, QString()) << c.equation;
        EXPECT_EQ(s.solutionLineCount, 3) << c.equation;
    }
}

TEST(SixteenBitResults, WorkedSolutionShowsNoWrongStep) {
    const struct {
        const char* equation;
        QStringList shown;
    } cases[] = {
        // the collected form is exact beyond 16 bits, and left unreduced there
        {"30000x=-30000x+1", {"", "30000x=-30000x+1", "30000x+30000x=1", "60000x=1", "x=1/60000"}},
        {"20000x=-20000x+2", {"", "20000x=-20000x+2", "20000x+20000x=2", "40000x=2", "x=2/40000"}},
        // a side held at the limit: nothing is worked out from it
        {"40000x=1", {""}},
        {"2x=30000+30000", {""}},
        // not cleared: the sorted equation only
        {"x/181+x/191=1", {"x/181+x/191=1/1", ""}},
        // the expansion shows the products as they are
        {"300(200x)-300(199x)=600", {"", "+60000x-59700x=600", "300x=600", "x=2"}},
    };
    for (const auto& c : cases) {
        Loaded w;
        EXPECT_EQ(w.solve(QString::fromUtf8(c.equation)), c.shown) << c.equation;
        EXPECT_EQ(w.s().pendingEquation, QString()) << c.equation;
    }
}

TEST(SixteenBitResults, ManyMissesStayInsideTheTwipRange) {
    // Every miss writes below the one before; far below the bottom of Picture7 a solution
    // starts at the top again instead of leaving the 16-bit range.
    Loaded w;
    for (int miss = 1; miss <= 40; ++miss) {
        w.solve(QStringLiteral("4x+2=2x"));
    }
    int clears = 0;
    const std::vector<DrawOp>& ops = w.fake.picture7.ops();
    for (std::size_t i = 0; i < ops.size(); ++i) {
        ASSERT_LE(ops[i].y, 32767) << ops[i].toString().toStdString();
        if (ops[i].kind == DrawOp::Kind::Clear) {
            ++clears;
            ASSERT_LT(i + 1, ops.size());
            EXPECT_TRUE(ops[i + 1].toString().startsWith(QStringLiteral("print (0,0) \"\" break")));
        }
    }
    EXPECT_EQ(clears, 3); // a solution is five lines: about every twelfth miss
    // The first misses still continue below each other.
    EXPECT_EQ(w.solve(QStringLiteral("4x+2=2x")).mid(0, 10),
              (QStringList{"", "4x+2=2x", "4x-2x=-2", "2x=-2", "x=-1", "", "4x+2=2x", "4x-2x=-2",
                           "2x=-2", "x=-1"}));
}

} // namespace
} // namespace minamo
