// drill-trace as a person runs it: a word problem's worked solution is its lines around the
// steps of its equation, and a wrong set, seed or number is refused with a message.

#include "catalogue/catalogue.h"
#include "stories/fresh_set.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace minamo {
namespace {

struct Traced {
    int status = -1;
    QStringList lines; // standard output, a line each
    QString errors;
};

Traced trace(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(MINAMO_DRILL_TRACE), args);
    process.closeWriteChannel();
    Traced run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    if (run.lines.back().isEmpty()) {
        run.lines.removeLast();
    }
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

constexpr std::uint64_t seed = 7;

TEST(DrillTrace, WorkingIsTheSetUpThenSolveStepsThenTheCheck) {
    struct Case {
        const char16_t* entry;
        QString set; // as given to drill-trace
        int n;
        QString heading;
    };
    const std::vector<Case> cases{
        // A word problem.
        {u"bhhayasa", QStringLiteral("文章問題1"), 3,
         QStringLiteral("== 文章問題新1 (文章問題1 → 速さ), seed 7, problem 3")},
        // A word problem whose equation had fractions.
        {u"bhkyori", QStringLiteral("文章問題新3"), 11,
         QStringLiteral("== 文章問題新3 (文章問題1 → 距離), seed 7, problem 11")},
        // A ratio equation.
        {u"hinomon", QStringLiteral("分数応用1"), 20,
         QStringLiteral("== 分数応用新1 (分数問題 → 基本4), seed 7, problem 20")},
    };
    for (const Case& c : cases) {
        const auto fresh = makeFreshSet(catalogueEntryNamed(c.entry), seed);
        ASSERT_TRUE(fresh) << qPrintable(fresh.reason());
        const BankProblem& p = fresh->bank().problems[static_cast<std::size_t>(c.n - 1)];
        ASSERT_NE(p.working, nullptr);
        const Working& w = *p.working;
        QStringList head{c.heading, p.question.toString(), p.answer.toString()};
        head << QStringList(w.setUp.begin(), w.setUp.end()) << w.equation;
        QStringList tail(w.check.begin(), w.check.end());
        tail << w.conclusion;
        const Traced run =
            trace({QStringLiteral("working"), c.set, QString::number(seed), QString::number(c.n)});
        EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
        ASSERT_GT(run.lines.size(), head.size() + tail.size()) << qPrintable(c.heading);
        // The words, the equation, its steps ending on the answer, the check and the answer
        // with its unit; no step twice in a row.
        EXPECT_EQ(run.lines.first(head.size()), head);
        EXPECT_EQ(run.lines.last(tail.size()), tail);
        EXPECT_EQ(run.lines[run.lines.size() - tail.size() - 1], p.answer.toString());
        for (qsizetype i = head.size(); i < run.lines.size(); ++i) {
            EXPECT_NE(run.lines[i], run.lines[i - 1]) << qPrintable(run.lines[i]);
        }
    }
}

TEST(DrillTrace, WorkingRefusesWhatNamesNoProblem) {
    struct Case {
        QStringList args;
        QString says; // in the message
    };
    const std::vector<Case> cases{
        {{QStringLiteral("文章問題1"), QStringLiteral("7")}, QStringLiteral("takes SET SEED N")},
        {{QStringLiteral("文章問題9"), QStringLiteral("7"), QStringLiteral("1")},
         QStringLiteral("no set named '文章問題9'")},
        {{QStringLiteral("文章問題1"), QStringLiteral("-1"), QStringLiteral("1")},
         QStringLiteral("not '-1'")},
        {{QStringLiteral("文章問題1"), QStringLiteral("7"), QStringLiteral("0")},
         QStringLiteral("problems 1 to 20, not '0'")},
        {{QStringLiteral("方程式基本1"), QStringLiteral("7"), QStringLiteral("51")},
         QStringLiteral("problems 1 to 50, not '51'")},
    };
    for (const Case& c : cases) {
        const Traced run = trace(QStringList{QStringLiteral("working")} + c.args);
        EXPECT_EQ(run.status, 2) << qPrintable(c.args.join(u' '));
        EXPECT_TRUE(run.lines.isEmpty()) << qPrintable(c.args.join(u' '));
        EXPECT_TRUE(run.errors.contains(c.says)) << qPrintable(run.errors);
    }
}

} // namespace
} // namespace minamo
