// minamo-report: writes the progress report of a history folder as one HTML page and opens
// it in the desktop's browser. It only reads the history files.

#include "platform/system_services.h"
#include "report/class_page.h"
#include "report/report_command.h"
#include "report/report_model.h"
#include "report/report_page.h"

#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QUrl>
#include <cstdio>

namespace {

using namespace minamo;

enum Exit { Done = 0, Failed = 1, BadArguments = 2 };

void say(std::FILE* stream, const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stream);
}
void tell(const QString& line) {
    say(stderr, QStringLiteral("minamo-report: ") + line);
}

// QDesktopServices needs a window system; without one Qt would stop the program.
bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int openInBrowser(const char* programName, const QString& page) {
    const QString where = QDir::toNativeSeparators(page);
    if (!hasDisplay()) {
        tell(QStringLiteral(
                 "画面がないので、ブラウザーで開けませんでした。ページはここにあります: ") +
             where);
        return Failed;
    }
    // Only the program's name: the report's own arguments are not Qt's.
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QGuiApplication app(argc, argv);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        tell(QStringLiteral("ブラウザーで開けませんでした。ページはここにあります: ") + where);
        return Failed;
    }
    return Done;
}

// The page of one history folder; what could not be read is said on stderr too.
QString pupilReport(const FileSystem& files, const QString& folder) {
    const HistoryReport report = buildReport(files, folder, QDate::currentDate());
    if (const QString sentence = folderSentence(report); !sentence.isEmpty()) {
        tell(sentence);
    }
    for (const FamilyReport& family : report.families) {
        if (family.state != FamilyState::Read && family.state != FamilyState::Missing) {
            tell(familySentence(family));
        }
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
        if (pupil.history.folderState == FolderState::Found &&
            !folderSentence(pupil.history).isEmpty()) {
            continue;
        }
        for (const QString& sentence : pupilSentences(pupil)) {
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
    const ParsedArguments parsed = parseReportArguments(arguments);
    if (!parsed.command) {
        tell(parsed.error);
        say(stderr, reportUsage());
        return BadArguments;
    }
    const ReportCommand& command = *parsed.command;
    if (command.action == ReportCommand::Action::Help) {
        say(stdout, reportUsage());
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
    if (writeReportPage(command.output, page) == PageWritten::No) {
        tell(QStringLiteral("ページを書けませんでした: ") +
             QDir::toNativeSeparators(command.output));
        return Failed;
    }
    say(stdout, QDir::toNativeSeparators(command.output));
    return command.open == ReportCommand::Open::Yes ? openInBrowser(argv[0], command.output) : Done;
}
