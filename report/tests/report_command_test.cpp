// The command line, the default places and where the page may be written.

#include "fake/qstring_printer.h"
#include "platform/file_errors.h"
#include "report/report_command.h"
#include "report/tests/sample_folder.h"

#include <QFileInfo>

namespace minamo {
namespace {

using Open = ReportCommand::Open;
using Action = ReportCommand::Action;
using Scope = ReportCommand::Scope;

class ReportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_DATA_HOME", "/home/p/data");
        qputenv("XDG_CACHE_HOME", "/home/p/cache");
    }
    void TearDown() override {
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CACHE_HOME");
    }
};

TEST_F(ReportCommandTest, Arguments) {
    const QString data = QStringLiteral("/home/p/data/minamo-drill");
    const QString page = QStringLiteral("/home/p/cache/minamo-drill/report.html");
    const QString classPage = QStringLiteral("/home/p/cache/minamo-drill/class-report.html");
    const struct {
        QStringList arguments;
        std::optional<ReportCommand> command;
    } cases[] = {
        {{}, ReportCommand{.folder = data, .output = page}},
        {{"/srv/pupil"}, ReportCommand{.folder = "/srv/pupil", .output = page}},
        {{"--no-open", "--output", "/tmp/r.html", "記録"},
         ReportCommand{.folder = "記録", .output = "/tmp/r.html", .open = Open::No}},
        {{"--output=/tmp/r.html"}, ReportCommand{.folder = data, .output = "/tmp/r.html"}},
        {{"a", "--help"}, ReportCommand{.action = Action::Help}},
        {{"--output"}, std::nullopt},
        {{"a", "b"}, std::nullopt},
        {{"--class", "/srv/3-1"},
         ReportCommand{.scope = Scope::Class, .folder = "/srv/3-1", .output = classPage}},
        {{"--no-open", "--class=/srv/3-1", "--output", "/tmp/c.html"},
         ReportCommand{.scope = Scope::Class,
                       .folder = "/srv/3-1",
                       .output = "/tmp/c.html",
                       .open = Open::No}},
        {{"--class"}, std::nullopt},
        {{"--class", "/srv/3-1", "/srv/pupil"}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Result<ReportCommand> parsed = parseReportArguments(c.arguments);
        ASSERT_EQ(parsed.ok(), c.command.has_value());
        if (c.command) {
            EXPECT_EQ(parsed->action, c.command->action);
            EXPECT_EQ(parsed->open, c.command->open);
            EXPECT_EQ(parsed->scope, c.command->scope);
            if (c.command->action == Action::Report) {
                EXPECT_EQ(parsed->folder, c.command->folder);
                EXPECT_EQ(parsed->output, c.command->output);
            }
        } else {
            EXPECT_FALSE(parsed.reason().isEmpty());
        }
    }
}

TEST_F(ReportCommandTest, TheDefaultPageIsOutsideTheDefaultHistoryFolder) {
    EXPECT_EQ(defaultHistoryFolder(), QStringLiteral("/home/p/data/minamo-drill"));
    EXPECT_FALSE(isInsideFolder(defaultReportPath(), defaultHistoryFolder()));
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(defaultHistoryFolder(),
              QDir::homePath() + QStringLiteral("/.local/share/minamo-drill"));
    EXPECT_EQ(defaultReportPath(),
              QDir::homePath() + QStringLiteral("/.cache/minamo-drill/report.html"));
}

TEST(ReportOutput, NeverInsideTheHistoryFolder) {
    test::SampleFolder folder;
    const QString history = folder.file(QStringLiteral("history"));
    ASSERT_TRUE(QDir().mkpath(history + QStringLiteral("/sub")));
    ASSERT_TRUE(QFile::link(history, folder.file(QStringLiteral("link"))));
    const struct {
        QString output;
        bool inside;
    } cases[] = {
        {history + QStringLiteral("/report.html"), true},
        {history + QStringLiteral("/方程式基本.txt"), true},
        {history + QStringLiteral("/sub/report.html"), true},
        {history + QStringLiteral("/../history/report.html"), true},
        {folder.file(QStringLiteral("link/report.html")), true},
        {folder.file(QStringLiteral("history-report.html")), false},
        {folder.file(QStringLiteral("historyx/report.html")), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output.toStdString());
        EXPECT_EQ(isInsideFolder(c.output, history), c.inside);
    }
    EXPECT_TRUE(isInsideFolder(QStringLiteral("/tmp/r.html"), QStringLiteral("/")));
}

TEST(ReportOutput, WritesThePageWholeOrReportsIt) {
    test::SampleFolder folder;
    const QString page = folder.file(QStringLiteral("new/folder/report.html"));
    ASSERT_TRUE(writeReportPage(page, QStringLiteral("<p>記録</p>")));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("<p>記録</p>"));

    folder.write(QStringLiteral("a-file"), "x");
    const Result<> blocked =
        writeReportPage(folder.file(QStringLiteral("a-file/report.html")), QStringLiteral("x"));
    ASSERT_FALSE(blocked);
    EXPECT_EQ(blocked.reason(), reasonOf(FileStatus::Missing));
}

} // namespace
} // namespace minamo
