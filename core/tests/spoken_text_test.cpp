#include "core/spoken_text.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

TEST(SpokenForm, FractionsReadDenominatorFirst) {
    const std::pair<const char*, const char*> cases[] = {
        {"x+1=3/2 方程式を解いて。", "x+1=2分の3 方程式を解いて。"},
        {"x=-8/3", "x=-3分の8"},
        {"-1/4x=2", "-4分の1x=2"},
        {"5x/8-7x/10=3/2", "8分の5x-10分の7x=2分の3"},
        {"x=-/3", "x=-3分の"}, // the bar drawn, no numerator typed yet
        {"3/", "3/"},          // no denominator: nothing to read as a fraction
        {"x^2+3x", "xの2乗+3x"},
        {"問題をくーれ", "問題をくーれ"},
    };
    for (const auto& [written, spoken] : cases) {
        EXPECT_EQ(spokenForm(QString::fromUtf8(written)), QString::fromUtf8(spoken)) << written;
    }
}

TEST(SpokenRecord, DateNameAndScore) {
    EXPECT_EQ(spokenRecord(QStringLiteral("261209"), QStringLiteral("方程式基本1.txt"), 12),
              QStringLiteral("26年12月9日 方程式基本1 12点"));
    EXPECT_EQ(spokenRecord(QStringLiteral("26120x"), QString(), -5), QStringLiteral("26120x -5点"));
}

} // namespace
} // namespace minamo
