// Every entry of the menus, made with fresh numbers through the one door the programs use.

#include "fresh/proof.h"
#include "stories/fresh_set.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

// Over many seeds every set is made, and each word problem or ratio equation carries its
// working and fits where the window draws it.
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
                EXPECT_TRUE(showOwnProblem(p.question.toString(), *p.working).fits())
                    << p.question.toString().toStdString();
            }
        }
    }
}

TEST(FreshSet, ABankEntryAndAFailureSayWhy) {
    const CatalogueEntry& fixed = catalogueEntryNamed(u"tosiki1");
    const Result<FreshBank> fresh = makeFreshSet(fixed, 3);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->bank().problems.size(), fixed.bank->problems.size());
    EXPECT_EQ(fresh->bank().problems[0].working, nullptr);

    // No candidate may be taken: the set is not made, and the reason names the seed.
    const FreshSetLimits refused{.bank = {},
                                 .story = {.accepts = [](const StoryProblem&) { return false; }}};
    const Result<FreshBank> none = makeFreshSet(catalogueEntryNamed(u"bhhayasa"), 3, refused);
    ASSERT_FALSE(none);
    EXPECT_TRUE(none.reason().contains(QStringLiteral("種 3"))) << none.reason().toStdString();
}

} // namespace
} // namespace minamo
