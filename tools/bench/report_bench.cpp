#include "report_bench.h"

#include "stats.h"

#include "catalogue/catalogue.h"
#include "history/history_file.h"
#include "report/class_page.h"
#include "report/report_command.h"
#include "system/system_services.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <map>

namespace minamo::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int pupils = 40;
constexpr int recordsPerPupil = 2000;
constexpr double targetMs = 1000.0; // well under two seconds: half of them
// Every fourth pupil has drilled fresh numbers too.
constexpr int freshEvery = 4;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A class as a school's share holds it: a folder per pupil, the family files as the drill
// writes them.
bool writeClass(const QString& folder) {
    for (int p = 1; p <= pupils; ++p) {
        const QString pupil = folder + QStringLiteral("/%1_生徒%1").arg(p, 2, 10, QChar(u'0'));
        if (!QDir().mkpath(pupil)) {
            return false;
        }
        std::vector<QString> names;
        for (const CatalogueEntry& entry : catalogue()) {
            if (entry.choosable(Numbers::Bank)) {
                names.push_back(recordNameFor(entry, Numbers::Bank).text());
                if (p % freshEvery == 0 && entry.menu == catalogue().front().menu) {
                    names.push_back(recordNameFor(entry, Numbers::Fresh).text());
                }
            }
        }
        std::map<QString, QString> files;
        const QDate first(2025, 4, 1);
        for (int i = 0; i < recordsPerPupil; ++i) {
            const QString& name = names[static_cast<std::size_t>(i) % names.size()];
            QString& text = files[familyFileName(name)];
            if (text.isEmpty()) {
                text = QStringLiteral("2026/12/09\r\n");
            }
            text += QStringLiteral("%1,%2#%3\r\n")
                        .arg((i * 7 + p * 3) % 41 - 3)
                        .arg(historyRecordDate(first.addDays(i / 8)), name);
        }
        for (const auto& [fileName, text] : files) {
            QFile file(pupil + u'/' + fileName);
            const std::optional<QByteArray> bytes = encodeHistoryText(text);
            if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size()) {
                return false;
            }
        }
    }
    return true;
}

// The floor: every file of the class read whole, nothing made of it.
qint64 readAllBytes(const QString& folder) {
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly)) {
            total += file.readAll().size();
        }
    }
    return total;
}

} // namespace

std::vector<Row> runReportBenchmarks(const ReportOptions& options, QTextStream& log, bool& failed) {
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("class"));
    const QString page = work.filePath(QStringLiteral("class-report.html"));
    if (!work.isValid() || !writeClass(folder)) {
        log << "bench: could not write the class folder for the class report\n";
        failed = true;
        return {};
    }
    const LocalFileSystem files{QString()};
    std::vector<double> samples;
    std::vector<double> floors;
    qint64 bytes = 0;
    qsizetype pageBytes = 0;
    std::size_t pupilsRead = 0;
    for (int run = 0; run < options.runs; ++run) {
        auto start = Clock::now();
        bytes = readAllBytes(folder);
        floors.push_back(msSince(start));

        start = Clock::now();
        const ClassReport report = buildClassReport(files, folder, QDate(2026, 12, 9));
        const QString html = classPage(report);
        const bool written = writeReportPage(page, html).ok();
        samples.push_back(msSince(start));
        pageBytes = html.toUtf8().size();
        pupilsRead = report.pupils.size();
        if (!written || pupilsRead != std::size_t(pupils)) {
            log << "bench: the class report read " << pupilsRead << " pupils and "
                << (written ? "wrote" : "did not write") << " its page\n";
            failed = true;
        }
    }
    Row row;
    row.measure = QStringLiteral("class report, %1 pupils x %2 records: folders read to the "
                                 "page written (%3 MiB)")
                      .arg(pupils)
                      .arg(recordsPerPupil)
                      .arg(double(pageBytes) / (1024 * 1024), 0, 'f', 1);
    const double figure = median(samples);
    const double floor = median(floors);
    row.figure = milliseconds(figure);
    row.floor = milliseconds(floor);
    row.ratio = floor > 0 ? times(figure / floor) : QStringLiteral("-");
    row.target = QStringLiteral("under 1 s");
    row.verdict = figure < targetMs ? Verdict::Ok : Verdict::Missed;
    row.missedNote = QStringLiteral("%1: %2 (target %3)").arg(row.measure, row.figure, row.target);
    log << "bench: class folder of " << bytes << " bytes in " << pupils << " pupil folders\n";
    return {row};
}

} // namespace minamo::bench
