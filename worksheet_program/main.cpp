// minamo-worksheet: any set as a printable A4 PDF with its answers and worked solutions.
// With a set it writes the sheet and opens it; without one it opens a small window to
// choose the set in.

#include "command_line/command_line.h"
#include "desktop/desktop_open.h"
#include "qt/fonts.h"
#include "worksheet/worksheet_command.h"
#include "worksheet_program/paper_sheet.h"
#include "worksheet_program/worksheet_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>

namespace {

using namespace minamo;

enum Exit { Done = 0, Failed = 1, BadArguments = 2 };

const QString programName = QStringLiteral("minamo-worksheet");

void tell(const QString& line) {
    sayOnStandardError(programName, line);
}

// The desktop's viewer, from the window: started, not waited for, so that the window does
// not stop while xdg-open looks for a viewer.
bool openInViewer(const QString& path) {
    return hasDisplay() && QProcess::startDetached(QStringLiteral("xdg-open"),
                                                   {QFileInfo(path).absoluteFilePath()});
}

int writeSheet(const char* programName, const WorksheetCommand& command) {
    const CatalogueEntry* entry = sheetSet(command.setName);
    if (!entry) {
        tell(unknownSetMessage(command.setName));
        return BadArguments;
    }
    if (!entry->choosable(command.numbers)) {
        tell(freshOnlyMessage(*entry));
        return BadArguments;
    }
    // The sheet is drawn with the installed fonts and shown nowhere: Qt's offscreen platform
    // needs no display, and the viewer started later keeps the desktop's own.
    int argc = 3;
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    char* argv[] = {const_cast<char*>(programName), platformOption, offscreen, nullptr};
    QGuiApplication app(argc, argv);
    useDesignFonts();

    const std::uint64_t seed = command.seed.value_or(clockSeed());
    const Result<SheetBank> bank = bankToPrint(*entry, command.numbers, seed);
    if (!bank) {
        tell(bank.reason() + (entry->choosable(Numbers::Bank)
                                  ? QStringLiteral("別の種をためすか、--fresh をつけずにいつもの"
                                                   "問題で作ってください。")
                                  : QStringLiteral("別の種をためしてください。")));
        return Failed;
    }
    const QDate today = QDate::currentDate();
    QString path = command.output;
    if (path.isEmpty()) {
        path = preparedDefaultSheetPath(*entry, command.numbers, seed, today);
    }
    const SheetFile sheet =
        writeSheetPdf(sheetContent(*entry, bank->bank(), command.numbers, seed, today), path);
    const QString where = QDir::toNativeSeparators(path);
    if (!sheet.written) {
        tell(QStringLiteral("プリントを書けませんでした: %1（%2）")
                 .arg(where, sheet.written.reason()));
        return Failed;
    }
    std::puts(where.toUtf8().constData());
    // From the command line xdg-open's answer is waited for, so that a failure is said.
    if (command.open == WorksheetCommand::Open::Yes) {
        if (const Result<> opened = openOnDesktop(path); !opened) {
            tell(QStringLiteral("ビューアーで開けませんでした（%1）。プリントはここにあります: %2")
                     .arg(opened.reason(), where));
            return Failed;
        }
    }
    return Done;
}

int runWindow(const char* programName) {
    if (!hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        tell(QStringLiteral("画面がないので、ウィンドウを開けません。プリントにするセットを"
                            "指定してください（一覧: minamo-worksheet --list）。"));
        return BadArguments;
    }
    // Only the program's name: the worksheet's own arguments are not Qt's.
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minamo-worksheet"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    useDesignFonts();
    // The window is Japanese whatever the locale: so are Qt's own dialogs (the file dialog)
    // where Qt's translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }
    WorksheetWindow window(&WorksheetWindow::askWithFileDialog, &openInViewer);
    window.show();
    return app.exec() == 0 ? Done : Failed;
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QFile::decodeName(argv[i]);
    }
    const Result<WorksheetCommand> parsed = parseWorksheetArguments(arguments);
    if (!parsed) {
        return sayMistake(programName, parsed.reason(), worksheetUsage());
    }
    switch (parsed->action) {
    case WorksheetCommand::Action::Help:
        sayUsage(worksheetUsage());
        return Done;
    case WorksheetCommand::Action::List:
        sayUsage(setList());
        return Done;
    case WorksheetCommand::Action::Sheet:
        return writeSheet(argv[0], *parsed);
    case WorksheetCommand::Action::Window:
        return runWindow(argv[0]);
    }
    return Failed;
}
