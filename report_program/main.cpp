// minamo-report: writes the progress report of a history folder as one HTML page and opens
// it in the desktop's browser. It only reads the history files.

#include "command_line/command_line.h"
#include "desktop/desktop_open.h"
#include "desktop/notice.h"
#include "report/class_page.h"
#include "report/report_command.h"
#include "report/report_model.h"
#include "report/report_page.h"
#include "system/system_services.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

using namespace minamo;

enum Exit { Done = 0, Failed = 1 };

const QString noticeTitle = QStringLiteral("ミナモ塾の記録");

const QString programName = QStringLiteral("minamo-report");

void tell(const QString& line) {
    sayOnStandardError(programName, line);
}

// Says a failure on standard error and where the person sees it.
int fail(const char* programName, const QString& line, const QString& whatToDo) {
    tell(line);
    showNoticeAside(QString::fromLocal8Bit(programName), noticeTitle, line + u'\n' + whatToDo);
    return Failed;
}

int openInBrowser(const char* programName, const QString& page) {
    const Result<> opened = openOnDesktop(page);
    if (opened) {
        return Done;
    }
    return fail(programName,
                QStringLiteral("ブラウザーで開けませんでした（%1）。ページはここにあります: %2")
                    .arg(opened.reason(), QDir::toNativeSeparators(page)),
                QStringLiteral("このファイルをブラウザーで開いてください。"));
}

// The page of one history folder; what could not be read is said on stderr too.
QString pupilReport(const FileSystem& files, const QString& folder) {
    const HistoryReport report = buildReport(files, folder, QDate::currentDate());
    if (const QString sentence = folderSentence(report); !sentence.isEmpty()) {
        tell(sentence);
    }
    for (const QString& sentence : unreadableFamilySentences(report)) {
        tell(sentence);
    }
    return reportPage(report);
}

// The page of a class folder; every file that could not be read is said with its pupil.
// A pupil folder without records is only shown on the page: it is no fault.
QString classReport(const FileSystem& files, const QString& folder) {
    const ClassReport report = buildClassReport(files, folder, QDate::currentDate());
    if (const QString sentence = classFolderSentence(report); !sentence.isEmpty()) {
        tell(sentence);
    }
    for (const PupilReport& pupil : report.pupils) {
        const QStringList faults = pupil.history.folderState == FolderState::Found
                                       ? unreadableFamilySentences(pupil.history)
                                       : pupilSentences(pupil);
        for (const QString& sentence : faults) {
            tell(pupil.name + QStringLiteral(": ") + sentence);
        }
    }
    return classPage(report);
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QFile::decodeName(argv[i]);
    }
    const Result<ReportCommand> parsed = parseReportArguments(arguments);
    if (!parsed) {
        return sayMistake(programName, parsed.reason(), reportUsage());
    }
    const ReportCommand& command = *parsed;
    if (command.action == ReportCommand::Action::Help) {
        sayUsage(reportUsage());
        return Done;
    }
    if (isInsideFolder(command.output, command.folder)) {
        tell(QStringLiteral("記録のフォルダーの中にはページを書きません。"
                            "--output で別の場所を指定してください: ") +
             QDir::toNativeSeparators(command.output));
        return Failed;
    }

    const LocalFileSystem files{QString()};
    const QString page = command.scope == ReportCommand::Scope::Class
                             ? classReport(files, command.folder)
                             : pupilReport(files, command.folder);
    if (const Result<> written = writeReportPage(command.output, page); !written) {
        return fail(argv[0],
                    QStringLiteral("ページを書けませんでした: %1（%2）")
                        .arg(QDir::toNativeSeparators(command.output), written.reason()),
                    QStringLiteral("--output で書きこめる場所を指定してください。"));
    }
    std::puts(QDir::toNativeSeparators(command.output).toUtf8().constData());
    return command.open == ReportCommand::Open::Yes ? openInBrowser(argv[0], command.output) : Done;
}
