// Every entry of the menus, made with fresh numbers through the one door the programs use.

#include "fresh/exact_solver.h"
#include "fresh/proof.h"
#include "stories/fresh_set.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

namespace minamo {
namespace {

// Over many seeds every set is made (each candidate proven to fit where the window draws
// it), and each word problem or ratio equation carries its working.
TEST(FreshSet, EveryEntryForManySeeds) {
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        for (const CatalogueEntry& entry : catalogue()) {
            if (entry.generator.isEmpty()) {
                continue;
            }
            SCOPED_TRACE(entry.generator.toString().toStdString() + " seed " +
                         std::to_string(seed));
            const Result<FreshBank> made = makeFreshSet(entry, seed);
            ASSERT_TRUE(made) << made.reason().toStdString();
            const Bank& bank = made->bank();
            EXPECT_EQ(bank.builder, entry.generator);
            ASSERT_EQ(bank.problems.size(), static_cast<std::size_t>(storySetSize));
            for (const BankProblem& p : bank.problems) {
                ASSERT_NE(p.working, nullptr);
            }
        }
    }
}

// The ratio equations as the drill asks them: the exact solver's product rule and the
// window's worked solution of the working's equation both give the answer, the working
// starts from the product rule, and over the seeds x stands in each of the four places, among
// whole terms and among fractions.
TEST(FreshSet, RatioEquationsSolvedTwiceWithXInEveryPlace) {
    const QRegularExpression ratio(QStringLiteral(R"(^(\S+):(\S+)=(\S+):(\S+) 比例式を解いて。$)"));
    std::set<std::pair<int, bool>> seen; // x's place, fraction terms
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        const Result<FreshBank> made = makeFreshSet(catalogueEntryNamed(u"hinomon"), seed);
        ASSERT_TRUE(made) << made.reason().toStdString();
        for (const BankProblem& p : made->bank().problems) {
            const QString question = p.question.toString();
            const QRegularExpressionMatch m = ratio.match(question);
            ASSERT_TRUE(m.hasMatch()) << question.toStdString();
            const auto solved = solveRatio(question.section(u' ', 0, 0));
            ASSERT_TRUE(solved) << question.toStdString();
            const Rational x = solved->x;
            EXPECT_EQ(QStringLiteral("x=%1").arg(x.num) +
                          (x.den == 1 ? QString() : QStringLiteral("/%1").arg(x.den)),
                      p.answer)
                << question.toStdString();
            EXPECT_EQ(showProblem(p.working->equation).solution, p.answer)
                << question.toStdString();
            EXPECT_EQ(p.working->setUp.front(), QStringLiteral("外項の積＝内項の積より"));
            for (int place = 1; place <= 4; ++place) {
                if (m.captured(place) == u"x") {
                    seen.insert({place, question.count(u'/') > 0});
                }
            }
        }
    }
    EXPECT_EQ(seen.size(), 8u);
}

TEST(FreshSet, AFailureSaysWhy) {
    // No candidate may be taken: the set is not made, and the reason names the seed.
    const FreshSetLimits refused{.bank = {},
                                 .story = {.accepts = [](const StoryProblem&) { return false; }}};
    const Result<FreshBank> none = makeFreshSet(catalogueEntryNamed(u"bhhayasa"), 3, refused);
    ASSERT_FALSE(none);
    EXPECT_TRUE(none.reason().contains(QStringLiteral("種 3"))) << none.reason().toStdString();
}

} // namespace
} // namespace minamo
