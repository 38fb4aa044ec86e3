#pragma once

#include "core/drill.h"

#include <QDate>
#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace minamo {

// Records the chart and the order decision can hold; later records are still kept in
// DrillState::historyLines and written back.
inline constexpr int maxLoadedRecords = 100;

// The family file's path in a folder, with exactly one separator (also at the root "/").
QString familyFilePath(const QString& folder, const QString& familyFile);

// A date as the header line writes it: yyyy/mm/dd.
QString historyHeaderDate(const QDate& date);
// A date as a record writes it: yymmdd (the header form without "/" and century digits).
QString historyRecordDate(const QDate& date);

// One record of a family file.
struct HistoryRecord {
    int16 score = 0;
    QString date; // yymmdd
    QString set;  // record name, may be empty
};

// The record a line holds, or nothing when the line holds none (no ",").
std::optional<HistoryRecord> parseHistoryLine(const QString& line);

// The lines of a family file's text: CRLF, LF and CR all end a line; an empty last line
// (after the final line end) is not a line.
QStringList splitHistoryLines(const QString& text);

// Shift_JIS bytes to text; nothing when the bytes are not valid Shift_JIS or are not text.
std::optional<QString> decodeHistoryBytes(const QByteArray& bytes);
// Text to Shift_JIS bytes; nothing when a character has no Shift_JIS form.
std::optional<QByteArray> encodeHistoryText(const QString& text);

// What a family file holds, read exactly as the drill reads it: every non-blank line after
// the date header (a first line holding a record is a record, not a header), and the
// records among them, oldest first. Lines without "," are kept in lines but are no record.
// status: Ok, Missing, or why the file could not be read.
struct FamilyFile {
    FileStatus status = FileStatus::Missing;
    QString header; // the date line, when the file has one
    QStringList lines;
    std::vector<HistoryRecord> records;
};

// Reads a family file; never writes, locks or creates anything.
FamilyFile readFamilyFile(const FileSystem& files, const QString& path);
// The same for a family file's text once decoded.
FamilyFile parseFamilyText(const QString& text);

// At a drill start: finds or creates the family file, loads its records, starts the
// countdown and may put the drill list back into bank order.
void readHistory(Drill& d);

// At the end of a drill, under the family file's lock: reads the file again and rewrites it
// with every line it holds now and the new record. A file that could not be read (at the
// start or now) is left alone; a failed write or a lock that cannot be had sets
// historySaveFailed. historyStatus says why.
void writeHistory(Drill& d);

// The pupil's notice when this drill's result could not be saved, and the log's line.
inline const QString historyNotSavedTitle = QStringLiteral("記録できません");
enum class FileKept { Yes, No };
QString historyNotSavedText(const QString& path, FileStatus why, FileKept kept);
QString historyNotSavedLog(const QString& path, FileStatus why);

} // namespace minamo
