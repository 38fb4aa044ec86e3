#include "command_line/command_line.h"
#include "fake/qstring_printer.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

// Every program reads its options this way: what it gets, or the mistake it says.
TEST(CommandLine, ReadsTheSharedOptionsOneWay) {
    const OptionRule known[] = {option::help, option::output, option::noOpen, option::fresh};
    const struct {
        QStringList arguments;
        const char* read;    // options and arguments as read; nullptr: a mistake
        const char* mistake; // the mistake's words
    } cases[] = {
        {{"a", "--no-open", "-", "b"}, "a - b | --no-open", ""},
        {{"-h"}, "| --help", ""},
        {{"--output", "x.html"}, "| --output=x.html", ""},
        {{"--output=x.html", "--output=y.html"}, "| --output=y.html", ""},
        {{"--fresh", "--fresh=7"}, "| --fresh=7", ""},
        {{"--output"}, nullptr, "--output のあとにファイルの名前がありません。"},
        {{"--output", ""}, nullptr, "--output のあとにファイルの名前がありません。"},
        {{"--output="}, nullptr, "--output のあとにファイルの名前がありません。"},
        {{"--open"}, nullptr, "--open という指定はありません。"},
        {{"--no-open=1"}, nullptr, "--no-open=1 という指定はありません。"},
        {{"-x"}, nullptr, "-x という指定はありません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Result<CommandLine> line = readCommandLine(c.arguments, known);
        ASSERT_EQ(line.ok(), c.read != nullptr);
        if (!line) {
            EXPECT_EQ(line.reason(), QString::fromUtf8(c.mistake));
            continue;
        }
        QString read = line->arguments.join(u' ') + QStringLiteral(" |");
        for (const auto& [name, value] : line->options) {
            read += u' ' + name + (value ? u'=' + *value : QString());
        }
        EXPECT_EQ(read.trimmed(), QString::fromUtf8(c.read));
    }
}

TEST(CommandLine, FreshNumbersAndTheirSeed) {
    const OptionRule known[] = {option::fresh};
    const struct {
        const char* argument;
        bool ok;
        bool fresh;
        std::optional<std::uint64_t> seed;
    } cases[] = {
        {"--fresh", true, true, std::nullopt},
        {"--fresh=0", true, true, 0},
        {"--fresh=18446744073709551615", true, true, 18446744073709551615ULL},
        {"--fresh=18446744073709551616", false, false, std::nullopt},
        {"--fresh=", false, false, std::nullopt},
        {"--fresh=-3", false, false, std::nullopt},
        {"--fresh=+3", false, false, std::nullopt},
        {"--fresh=1e3", false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        const Result<CommandLine> line = readCommandLine({QString::fromUtf8(c.argument)}, known);
        ASSERT_TRUE(line);
        const Result<FreshChoice> choice = freshChoice(*line);
        ASSERT_EQ(choice.ok(), c.ok);
        if (choice) {
            EXPECT_EQ(choice->fresh, c.fresh);
            EXPECT_EQ(choice->seed, c.seed);
        } else {
            EXPECT_TRUE(choice.reason().contains(QStringLiteral("0 以上の整数")));
        }
    }
    EXPECT_FALSE(freshChoice(*readCommandLine({}, known))->fresh);
}

} // namespace
} // namespace minamo
