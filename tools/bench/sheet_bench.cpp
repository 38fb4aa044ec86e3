#include "sheet_bench.h"

#include "stats.h"

#include "core/problem.h"
#include "design/font_families.h"
#include "qt/fonts.h"
#include "worksheet_program/paper_sheet.h"
#include "render/problem_display.h"
#include "worksheet/worksheet_command.h"

#include <QDate>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>

namespace minamo::bench {

namespace {

using Clock = std::chrono::steady_clock;

const QString largestSet = QStringLiteral("方程式基本1");

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The floor: the same equations as lines of text in a PDF, in the problems' font, with no
// drawing procedure, layout or second page of answers behind them.
void printLines(const SheetContent& content, const QString& path) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    painter.setFont(designFont(font::proportional, 12));
    const int line = painter.fontMetrics().height();
    int y = line;
    for (const SheetProblem& problem : content.problems) {
        painter.drawText(0, y, Problem::read(problem.question).equation);
        y += line;
    }
}

Row row(const QString& measure, double figure, double floor) {
    Row r;
    r.measure = measure;
    r.figure = milliseconds(figure);
    r.floor = floor > 0 ? milliseconds(floor) : QStringLiteral("-");
    r.ratio = floor > 0 ? times(figure / floor) : QStringLiteral("-");
    r.target = QStringLiteral("(shown)");
    return r;
}

} // namespace

std::vector<Row> runSheetBenchmarks(const SheetOptions& options, QTextStream& log, bool& failed) {
    const CatalogueEntry* entry = sheetSet(largestSet);
    const SheetContent content =
        sheetContent(*entry, *entry->bank, Numbers::Bank, 0, QDate::currentDate());
    QTemporaryDir folder;
    const QString sheetPath = folder.filePath(QStringLiteral("sheet.pdf"));
    const QString floorPath = folder.filePath(QStringLiteral("lines.pdf"));

    std::vector<double> sheets, floors, programs;
    int pages = 0;
    for (int i = 0; i < options.runs; ++i) {
        auto start = Clock::now();
        const SheetFile sheet = writeSheetPdf(content, sheetPath);
        sheets.push_back(msSince(start));
        if (!sheet.written) {
            log << "bench: the sheet of " << largestSet
                << " was not written: " << sheet.written.reason() << '\n';
            failed = true;
            return {};
        }
        pages = sheet.layout.pageCount;
        start = Clock::now();
        printLines(content, floorPath);
        floors.push_back(msSince(start));

        QProcess program;
        start = Clock::now();
        program.start(
            options.programFolder + QStringLiteral("/minamo-worksheet"),
            {largestSet, QStringLiteral("--no-open"), QStringLiteral("--output"), sheetPath});
        if (!program.waitForFinished(60000) || program.exitCode() != 0) {
            log << "bench: minamo-worksheet " << largestSet
                << " failed: " << program.readAllStandardError() << '\n';
            failed = true;
            return {};
        }
        programs.push_back(msSince(start));
    }
    return {
        row(QStringLiteral("worksheet of %1 (%2 problems, %3 pages), in process")
                .arg(largestSet)
                .arg(content.problems.size())
                .arg(pages),
            median(sheets), median(floors)),
        row(QStringLiteral("minamo-worksheet %1 --no-open, from the process start").arg(largestSet),
            median(programs), 0),
    };
}

} // namespace minamo::bench
