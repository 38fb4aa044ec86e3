// minamo-report: writes the progress report of a history folder as one HTML page and opens
// it in the desktop's browser. It only reads the history files.

#include "command_line/command_line.h"
#include "platform/desktop_open.h"
#include "platform/system_services.h"
#include "report/class_page.h"
#include "report/report_command.h"
#include "report/report_model.h"
#include "report/report_page.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace minamo;

enum Exit { Done = 0, Failed = 1 };

// A notice nobody closes goes by itself after this.
constexpr std::chrono::minutes noticeLifetime{10};

const QString noticeTitle = QStringLiteral("ミナモ塾の記録");

const QString programName = QStringLiteral("minamo-report");

void tell(const QString& line) {
    sayOnStandardError(programName, line);
}

// The failure in a small message box too, when a display is at hand: the report is mostly
// started from the desktop's menu, where nobody reads standard error. The box lives in a
// process of its own, so that a display that cannot be reached ends only that process, and
// the report ends at once with its own status.
void showNotice(const char* programName, const QString& text) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!hasDisplay() || platform == QStringLiteral("offscreen") ||
        platform == QStringLiteral("minimal")) {
        return; // no one would see it
    }
    std::fflush(stdout);
    std::fflush(stderr);
    if (::fork() != 0) {
        return;
    }
    ::setsid();
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const int nowhere = ::open("/dev/null", O_RDWR);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        ::dup2(nowhere, fd);
    }
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication app(argc, argv);
    QMessageBox box(QMessageBox::Warning, noticeTitle, text, QMessageBox::Ok);
    QTimer::singleShot(noticeLifetime, &box, &QMessageBox::accept);
    box.exec();
    ::_exit(0);
}

// Says a failure on standard error and where the person sees it.
int fail(const char* programName, const QString& line, const QString& whatToDo) {
    tell(line);
    showNotice(programName, line + u'\n' + whatToDo);
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
