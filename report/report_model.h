#pragma once

// What a progress report shows, built from a history folder with the drill's own reader of
// family files, so that the report and the drill never disagree about what a file holds.
// Building it only reads: no history file is written, locked, created or renamed.

#include "history/history_file.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

class QFileInfo;

namespace minamo {

// The records of one set (one record name) of a family file, in the order recorded.
struct SetReport {
    QString familyFile;
    QString recordName; // as the file holds it, "方程式基本1.txt"; empty for unnamed records
    std::vector<HistoryRecord> records;
    int drills = 0;
    QString firstDate; // yymmdd, as recorded
    QString latestDate;
    int16 bestScore = 0;
    int16 latestScore = 0;
};

// Why a family file shows no records.
enum class FamilyState { Read, Missing, IsFolder, CannotOpen, NotShiftJis };

struct FamilyReport {
    QString fileName;
    QString path;
    FamilyState state = FamilyState::Missing;
    std::vector<SetReport> sets; // by record name; unnamed records last
    QStringList oddLines;        // lines the drill does not read as records, as they are
};

enum class FolderState { Found, Missing, NotAFolder, CannotOpen };

struct HistoryReport {
    QString folder;
    QDate made;
    FolderState folderState = FolderState::Missing;
    // Empty unless the folder was found. The fixed sets' families always, in menu order;
    // then those of fresh numbers that are there (most pupils never drill them, so a
    // missing one is not worth a word).
    std::vector<FamilyReport> families;
};

// Whether a folder is there to be read.
FolderState folderStateOf(const QFileInfo& folder);

// Reads every family file of the folder.
HistoryReport buildReport(const FileSystem& files, const QString& folder, const QDate& made);

// The figures of a set from its records, which must not be empty.
SetReport setReport(const QString& familyFile, const QString& recordName,
                    std::vector<HistoryRecord> records);

// Every set of the report, the lowest latest score first (where to practise next); sets of
// equal latest score keep the order of the page.
std::vector<const SetReport*> overviewOrder(const HistoryReport& report);

// How a set is named to a reader: the record name without ".txt" ("方程式基本1").
QString setTitle(const QString& recordName);
// A recorded date for reading: yymmdd as "26/12/09"; anything else as it is.
QString displayDate(const QString& recordedDate);

// The calm sentence for a family file without records, or for a folder without any family
// file; empty when there is nothing to say. The page and the program's messages share them.
QString familySentence(const FamilyReport& family);
QString folderSentence(const HistoryReport& report);

// A family file that is there but could not be read as records (a damaged file, a folder in
// its place): a fault to be named, unlike one that is missing.
bool isUnreadable(const FamilyReport& family);
// The sentences of the folder's unreadable family files, in menu order.
QStringList unreadableFamilySentences(const HistoryReport& report);

} // namespace minamo
