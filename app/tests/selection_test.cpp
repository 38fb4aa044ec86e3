#include "app/selection.h"

#include "banks/banks.h"
#include "core/fixed_list.h"
#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <set>

namespace minamo {
namespace {

// A bank of n problems "q<b>" with answers "a<b>".
std::unique_ptr<DrillState> numberedBank(int n) {
    auto s = std::make_unique<DrillState>();
    for (int b = 1; b <= n; ++b) {
        s->bankQuestion[b] = QStringLiteral("q%1").arg(b);
        s->bankAnswer[b] = QStringLiteral("a%1").arg(b);
    }
    s->bankCount = static_cast<int16>(n);
    return s;
}

// The bank position asked at drill position p (0 for an empty or foreign slot); checks
// that question and answer travelled together.
int bankPositionAt(const DrillState& s, int p) {
    const QString q = s.question[p];
    if (!q.startsWith(u'q')) {
        return 0;
    }
    const int b = q.mid(1).toInt();
    EXPECT_EQ(s.answer[p], QStringLiteral("a%1").arg(b)) << p;
    return b;
}

void clearDrillList(DrillState& s) {
    s.question.fill(QString());
    s.answer.fill(QString());
}

TEST(Selection, EveryProblemOnceWithinItsGroupOfTen) {
    FakeRandom random(2024);
    const auto violationsBefore = rangeViolations();
    for (int n : {10, 20, 30, 40, 50, 100}) {
        const auto s = numberedBank(n);
        for (int drill = 0; drill < 200; ++drill) {
            clearDrillList(*s);
            selectProblems(*s, random);
            std::vector<int> seen(n + 1, 0);
            for (int p = 1; p <= n; ++p) {
                const int b = bankPositionAt(*s, p);
                ASSERT_GE(b, 1) << "n " << n << " position " << p;
                ASSERT_LE(b, n);
                // Drill positions 1-10 hold bank problems 1-10, 11-20 hold 11-20, ...
                EXPECT_EQ((b - 1) / 10, (p - 1) / 10) << "n " << n << " position " << p;
                ++seen[b];
            }
            for (int b = 1; b <= n; ++b) {
                EXPECT_EQ(seen[b], 1) << "n " << n << " bank " << b;
            }
            EXPECT_TRUE(s->question[n + 1].isEmpty()) << n;
        }
    }
    EXPECT_EQ(rangeViolations(), violationsBefore);
}

TEST(Selection, ABankOfTwentyKeepsItsHalves) {
    FakeRandom random(7);
    auto s = std::make_unique<DrillState>();
    fillBank(*s, complex1);
    ASSERT_EQ(s->bankCount, 20);
    selectProblems(*s, random);
    for (int half = 0; half < 2; ++half) {
        std::multiset<QString> bankHalf;
        std::multiset<QString> drillHalf;
        for (int i = 1; i <= 10; ++i) {
            bankHalf.insert(s->bankQuestion[10 * half + i] + s->bankAnswer[10 * half + i]);
            drillHalf.insert(s->question[10 * half + i] + s->answer[10 * half + i]);
        }
        EXPECT_EQ(drillHalf, bankHalf) << half;
    }
}

TEST(Selection, DuplicatesAreAskedAsOftenAsTheyOccur) {
    FakeRandom random(99);
    for (const Bank* bank : {&basicB, &complex5}) {
        auto s = std::make_unique<DrillState>();
        fillBank(*s, *bank);
        std::map<QString, int> inBank;
        for (int b = 1; b <= s->bankCount; ++b) {
            ++inBank[s->bankQuestion[b] + u'\t' + s->bankAnswer[b]];
        }
        selectProblems(*s, random);
        std::map<QString, int> inDrill;
        for (int p = 1; p <= s->bankCount; ++p) {
            ++inDrill[s->question[p] + u'\t' + s->answer[p]];
        }
        EXPECT_EQ(inDrill, inBank);
        EXPECT_EQ(inBank.size() + 1, static_cast<std::size_t>(s->bankCount)); // one repeat each
    }
}

TEST(Selection, BankProblemsLandUniformlyOnTheirGroupsPositions) {
    // Fixed seed: deterministic, and the bound is loose enough for any good generator.
    FakeRandom random(424242);
    constexpr int drills = 20000;
    const auto s = numberedBank(20);
    int counts[21][21] = {};
    for (int drill = 0; drill < drills; ++drill) {
        selectProblems(*s, random);
        for (int p = 1; p <= 20; ++p) {
            ++counts[p][bankPositionAt(*s, p)];
        }
    }
    const double expected = drills / 10.0;
    for (int p = 1; p <= 20; ++p) {
        const int first = (p - 1) / 10 * 10 + 1;
        double chiSquare = 0;
        for (int b = first; b < first + 10; ++b) {
            const double diff = counts[p][b] - expected;
            chiSquare += diff * diff / expected;
        }
        // 9 degrees of freedom: 50 lies far beyond the 1e-6 tail.
        EXPECT_LT(chiSquare, 50.0) << "position " << p;
    }
}

TEST(Selection, TwoDrillsUsuallyDiffer) {
    FakeRandom random(5);
    const auto s = numberedBank(40);
    selectProblems(*s, random);
    QStringList first;
    for (int p = 1; p <= 40; ++p) {
        first << s->question[p];
    }
    selectProblems(*s, random);
    QStringList second;
    for (int p = 1; p <= 40; ++p) {
        second << s->question[p];
    }
    EXPECT_NE(first, second);
}

TEST(Selection, ScriptedDrawGivesOneExactOrder) {
    // Draw by draw (m = 10 down to 1), pool before the draw and the slot taken:
    //   m=10 r=0    f=1   takes 1, pool 10 2 3 4 5 6 7 8 9
    //   m=9  r=0.99 f=9   takes 9, pool 10 2 3 4 5 6 7 8
    //   m=8  r=0.5  f=5   takes 5, pool 10 2 3 4 8 6 7
    //   m=7  r=0.3  f=3   takes 3, pool 10 2 7 4 8 6
    //   m=6  r=0    f=1   takes 10, pool 6 2 7 4 8
    //   m=5  r=0.99 f=5   takes 8, pool 6 2 7 4
    //   m=4  r=0.25 f=2   takes 2, pool 6 4 7
    //   m=3  r=0.5  f=2   takes 4, pool 6 7
    //   m=2  r=0.5  f=2   takes 7, pool 6
    //   m=1  r=0.7  f=1   takes 6
    // drawn(1..10) = 6 7 4 2 8 10 3 5 9 1: bank problem b is asked at drill position drawn(b).
    FakeRandom random;
    random.script = {0, 0.99, 0.5, 0.3, 0, 0.99, 0.25, 0.5, 0.5, 0.7};
    const auto s = numberedBank(10);
    selectProblems(*s, random);
    const int drawn[] = {6, 7, 4, 2, 8, 10, 3, 5, 9, 1};
    for (int b = 1; b <= 10; ++b) {
        EXPECT_EQ(bankPositionAt(*s, drawn[b - 1]), b) << b;
    }
    EXPECT_TRUE(random.script.empty());
}

TEST(Selection, NumbersAtTheEdgeOfTheUnitIntervalStayInRange) {
    // Just below 1, exactly 1, below 0 and NaN: a faulty source must not pick a slot
    // outside 1..m, lose a problem or repeat one.
    const double nearOne = std::nextafter(1.0, 0.0);
    const double values[] = {nearOne, 1.0, -0.25, std::numeric_limits<double>::quiet_NaN(), 1e300};
    const auto violationsBefore = rangeViolations();
    for (const double r : values) {
        FakeRandom random;
        random.script.assign(20, r);
        const auto s = numberedBank(20);
        selectProblems(*s, random);
        std::vector<int> seen(21, 0);
        for (int p = 1; p <= 20; ++p) {
            const int b = bankPositionAt(*s, p);
            ASSERT_GE(b, 1) << r;
            EXPECT_EQ((b - 1) / 10, (p - 1) / 10) << r;
            ++seen[b];
        }
        for (int b = 1; b <= 20; ++b) {
            EXPECT_EQ(seen[b], 1) << r << " bank " << b;
        }
    }
    // r just below 1 always takes the last slot: each group comes out in bank order.
    FakeRandom random;
    random.script.assign(10, nearOne);
    const auto s = numberedBank(10);
    selectProblems(*s, random);
    for (int p = 1; p <= 10; ++p) {
        EXPECT_EQ(bankPositionAt(*s, p), p);
    }
    EXPECT_EQ(rangeViolations(), violationsBefore);
}

TEST(Selection, OddCountsFillExactlyTheirPositions) {
    FakeRandom random(11);
    const auto violationsBefore = rangeViolations();
    for (int n : {0, 1, 7, 25, 99}) {
        for (int drill = 0; drill < 50; ++drill) {
            const auto s = numberedBank(n);
            selectProblems(*s, random);
            std::vector<int> seen(n + 1, 0);
            for (int p = 1; p <= n; ++p) {
                const int b = bankPositionAt(*s, p);
                ASSERT_GE(b, 1) << "n " << n << " position " << p;
                EXPECT_EQ((b - 1) / 10, (p - 1) / 10) << "n " << n;
                ++seen[b];
            }
            for (int b = 1; b <= n; ++b) {
                EXPECT_EQ(seen[b], 1) << "n " << n << " bank " << b;
            }
            for (int p = n + 1; p <= 200; ++p) {
                EXPECT_TRUE(s->question[p].isEmpty()) << "n " << n << " position " << p;
            }
        }
    }
    EXPECT_EQ(rangeViolations(), violationsBefore);
}

TEST(Selection, CountsBeyondTheWorkingListsAreCalm) {
    FakeRandom random(3);
    const auto violationsBefore = rangeViolations();
    {
        const auto s = numberedBank(150);
        selectProblems(*s, random);
        for (int p = 1; p <= 100; ++p) {
            EXPECT_GE(bankPositionAt(*s, p), 1) << p;
        }
        for (int p = 101; p <= 200; ++p) {
            EXPECT_TRUE(s->question[p].isEmpty()) << p;
        }
    }
    {
        const auto s = numberedBank(5);
        s->bankCount = -3;
        selectProblems(*s, random);
        for (int p = 0; p <= 200; ++p) {
            EXPECT_TRUE(s->question[p].isEmpty()) << p;
        }
    }
    EXPECT_EQ(rangeViolations(), violationsBefore);
}

} // namespace
} // namespace minamo
