#include "fake/qstring_printer.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheet_command.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

using Action = WorksheetCommand::Action;
using Open = WorksheetCommand::Open;

TEST(WorksheetCommand, ArgumentsMakeTheCommandOrAClearMistake) {
    const struct {
        QStringList arguments;
        std::optional<Action> action; // none: a mistake
        QString set;
        Numbers numbers;
        std::optional<std::uint64_t> seed;
        QString output;
        Open open;
    } cases[] = {
        {{}, Action::Window, {}, Numbers::Bank, {}, {}, Open::Yes},
        {{"--list"}, Action::List, {}, Numbers::Bank, {}, {}, Open::Yes},
        {{"方程式分数2"}, Action::Sheet, "方程式分数2", Numbers::Bank, {}, {}, Open::Yes},
        {{"方程式分数2", "--fresh"},
         Action::Sheet,
         "方程式分数2",
         Numbers::Fresh,
         {},
         {},
         Open::Yes},
        {{"--fresh=42", "方程式難1", "--no-open"},
         Action::Sheet,
         "方程式難1",
         Numbers::Fresh,
         42,
         {},
         Open::No},
        {{"方程式難1", "--output", "a b.pdf"},
         Action::Sheet,
         "方程式難1",
         Numbers::Bank,
         {},
         "a b.pdf",
         Open::Yes},
        {{"方程式難1", "--fresh=abc"}, {}, {}, Numbers::Bank, {}, {}, Open::Yes},
        {{"方程式難1", "方程式難2"}, {}, {}, Numbers::Bank, {}, {}, Open::Yes},
        {{"--fresh"}, {}, {}, Numbers::Bank, {}, {}, Open::Yes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Result<WorksheetCommand> parsed = parseWorksheetArguments(c.arguments);
        ASSERT_EQ(parsed.ok(), c.action.has_value());
        if (!c.action) {
            EXPECT_FALSE(parsed.reason().isEmpty());
            continue;
        }
        EXPECT_EQ(parsed->action, *c.action);
        EXPECT_EQ(parsed->setName, c.set);
        EXPECT_EQ(parsed->numbers, c.numbers);
        EXPECT_EQ(parsed->seed, c.seed);
        EXPECT_EQ(parsed->output, c.output);
        EXPECT_EQ(parsed->open, c.open);
    }
}

TEST(WorksheetCommand, TheDefaultFileIsNamedAfterTheSetTheDayAndAFreshSeed) {
    const CatalogueEntry& entry = *sheetSet(u"方程式分数2");
    const QDate day(2026, 12, 9);
    EXPECT_TRUE(
        defaultSheetPath(entry, Numbers::Bank, 0, day).endsWith(u"/方程式分数2_2026-12-09.pdf"));
    EXPECT_TRUE(defaultSheetPath(entry, Numbers::Fresh, 42, day)
                    .endsWith(u"/方程式分数新2_2026-12-09_42.pdf"));
}

} // namespace
} // namespace minamo
