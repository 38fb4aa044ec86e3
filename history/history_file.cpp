#include "history/history_file.h"

#include "catalogue/catalogue.h"
#include "core/basic_text.h"
#include "platform/file_errors.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <vector>

namespace minamo {

namespace {

constexpr const char* historyEncoding = "Shift_JIS";
const QString lineEnd = QStringLiteral("\r\n");
// The oldest score of a set below which its next drill asks the problems in bank order.
constexpr int16 bankOrderBelow = 10;
// How long the end of a drill waits for another copy that is writing the same family file.
constexpr int familyLockWaitMs = 3000;
// Reads of a family file under its lock, at most, for two reads in a row to agree.
constexpr int settlingReads = 4;

bool isBlankLine(const QString& line) {
    return line.trimmed().isEmpty();
}

void clearLoadedHistory(DrillState& s) {
    s.historyCount = 0;
    s.historyScore.fill(0);
    s.historyDate.fill(QString());
    s.historySet.fill(QString());
    s.historyLines.clear();
    s.historyReadFailed = 0;
    s.historySaveFailed = 0;
    s.historyStatus = FileStatus::Ok;
}

void useBankOrder(DrillState& s) {
    for (int i = 1; i <= s.bankCount; ++i) {
        s.question[i] = s.bankQuestion[i];
        s.answer[i] = s.bankAnswer[i];
    }
}

// The drill keeps its random order only when there are no records at all, or when the
// oldest record of this very set scored 10 or more.
void decideOrder(DrillState& s, const std::vector<HistoryRecord>& records) {
    if (records.empty()) {
        return;
    }
    for (const HistoryRecord& record : records) {
        if (record.set == s.recordName) {
            if (record.score < bankOrderBelow) {
                useBankOrder(s);
            }
            return;
        }
    }
    useBankOrder(s);
}

// The loaded records fill the lists the chart uses (the first hundred); every line is kept
// for the rewrite.
void loadFamilyFile(DrillState& s, const FamilyFile& file) {
    s.historyLines = file.lines;
    const int loaded = std::min<int>(static_cast<int>(file.records.size()), maxLoadedRecords);
    for (int i = 1; i <= loaded; ++i) {
        const HistoryRecord& record = file.records[static_cast<std::size_t>(i - 1)];
        s.historyScore[i] = record.score;
        s.historyDate[i] = record.date;
        s.historySet[i] = record.set;
    }
    s.historyCount = static_cast<int16>(loaded);
}

FamilyFile familyFileOf(const ReadResult& read) {
    if (read.status != FileStatus::Ok) {
        return FamilyFile{.status = read.status};
    }
    if (const auto text = decodeHistoryBytes(read.bytes)) {
        return parseFamilyText(*text);
    }
    return FamilyFile{.status = FileStatus::NotShiftJis};
}

// The family file as it is now, read under its lock, trusting nothing a client cache may
// hold: on a network folder (sshfs with its default options) the first read after another
// machine's write can return the old bytes, with the old size or the new one, while an open
// and read a moment later find the new ones. So the file is read until two reads in a row
// agree, a few times at most; otherwise it is Unsettled and nothing is written.
FamilyFile readFamilyFileNow(const FileSystem& files, const QString& path) {
    ReadResult last = files.readFile(path);
    for (int read = 1; read < settlingReads; ++read) {
        ReadResult again = files.readFile(path);
        if (again.status == last.status && again.bytes == last.bytes) {
            return familyFileOf(again);
        }
        last = std::move(again);
    }
    return FamilyFile{.status = FileStatus::Unsettled};
}

// The first drill of a family creates its file, under the lock so that it never replaces a
// file another copy has just written. If that fails, the write at the end of the drill tries
// again and reports it.
void createFamilyFile(Drill& d, const QString& path) {
    const LockResult lock = d.ui.files.lockFile(path, familyLockWaitMs);
    if (!lock.lock || readFamilyFileNow(d.ui.files, path).status != FileStatus::Missing) {
        return;
    }
    if (const auto header = encodeHistoryText(historyHeaderDate(d.ui.clock.today()) + lineEnd)) {
        d.ui.files.writeFileWhole(path, *header);
    }
}

} // namespace

QString familyFilePath(const QString& folder, const QString& familyFile) {
    QString base = folder;
    while (base.endsWith(u'/')) {
        base.chop(1);
    }
    return base + u'/' + familyFile;
}

QString historyHeaderDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString historyRecordDate(const QDate& date) {
    QString digits = historyHeaderDate(date);
    digits.remove(u'/');
    return midText(digits, 3, 6);
}

std::optional<HistoryRecord> parseHistoryLine(const QString& line) {
    const int comma = positionOf(line, QStringLiteral(","));
    if (comma == 0) {
        return std::nullopt;
    }
    HistoryRecord record;
    record.score = roundToInt16(leadingNumber(leftText(line, comma - 1)));
    const int hash = positionOf(line, QStringLiteral("#"), comma + 1);
    if (hash == 0) {
        record.date = midText(line, comma + 1);
        return record;
    }
    record.date = midText(line, comma + 1, hash - comma - 1);
    QString name = midText(line, hash + 1);
    while (name.startsWith(u'#')) {
        name.remove(0, 1);
    }
    record.set = name;
    return record;
}

QStringList splitHistoryLines(const QString& text) {
    QStringList lines;
    QString current;
    bool pending = false; // characters since the last line end
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << current;
            current.clear();
            pending = false;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            continue;
        }
        current += c;
        pending = true;
    }
    if (pending) {
        lines << current;
    }
    return lines;
}

std::optional<QString> decodeHistoryBytes(const QByteArray& bytes) {
    // Stateless: a lead byte cut off at the end of the file is an error, not held back.
    QStringDecoder decoder(historyEncoding, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        return std::nullopt;
    }
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar(u'\0'))) {
        return std::nullopt;
    }
    return text;
}

std::optional<QByteArray> encodeHistoryText(const QString& text) {
    QStringEncoder encoder(historyEncoding, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) {
        return std::nullopt;
    }
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        return std::nullopt;
    }
    return bytes;
}

FamilyFile parseFamilyText(const QString& text) {
    FamilyFile file;
    file.status = FileStatus::Ok;
    QStringList lines = splitHistoryLines(text);
    // Line 1 is the date header. A first line holding a record (a file written without a
    // header) is read as a record rather than dropped.
    if (!lines.isEmpty() && !lines.front().contains(u',')) {
        file.header = lines.takeFirst();
    }
    for (const QString& line : lines) {
        if (isBlankLine(line)) {
            continue;
        }
        file.lines << line;
        if (const std::optional<HistoryRecord> record = parseHistoryLine(line)) {
            file.records.push_back(*record);
        }
    }
    return file;
}

FamilyFile readFamilyFile(const FileSystem& files, const QString& path) {
    return familyFileOf(files.readFile(path));
}

void readHistory(Drill& d) {
    DrillState& s = d.s;
    s.clockPaused = 0;
    clearLoadedHistory(s);
    s.historyPath.clear();
    if (s.recordName.isEmpty()) {
        return;
    }

    const QString path =
        familyFilePath(d.ui.files.currentDirectory(), familyFileName(s.recordName));
    s.historyPath = path;
    const FamilyFile file = readFamilyFile(d.ui.files, path);
    switch (file.status) {
    case FileStatus::Missing:
        createFamilyFile(d, path);
        break;
    case FileStatus::Ok:
        loadFamilyFile(s, file);
        break;
    default:
        // Never overwrite what could not be read: the drill goes on without a history.
        s.historyReadFailed = 1;
        s.historyStatus = file.status;
        break;
    }
    decideOrder(s, file.records);
}

void writeHistory(Drill& d) {
    DrillState& s = d.s;
    if (s.historyReadFailed == 1 || s.historyPath.isEmpty()) {
        return;
    }
    // Another copy of the program may share the folder (a school's network share, two
    // accounts): the file is read again under the lock, so that its record, written since
    // this drill started, is kept too.
    s.historySaveFailed = 1;
    const LockResult lock = d.ui.files.lockFile(s.historyPath, familyLockWaitMs);
    if (!lock.lock) {
        s.historyStatus = lock.status;
        return;
    }
    const FamilyFile now = readFamilyFileNow(d.ui.files, s.historyPath);
    if (now.status != FileStatus::Ok && now.status != FileStatus::Missing) {
        s.historyStatus = now.status;
        return; // never overwrite what could not be read
    }
    // A file that has gone meanwhile gets what was loaded at the start.
    const QStringList& lines = now.status == FileStatus::Ok ? now.lines : s.historyLines;

    const QDate today = d.ui.clock.today();
    QString text = historyHeaderDate(today) + lineEnd;
    // Every line read is written back as it was, so that no record is lost or altered.
    for (const QString& line : lines) {
        text += line + lineEnd;
    }
    text += decimalText(s.score) + u',' + historyRecordDate(today) + u'#' + s.recordName + lineEnd;

    const std::optional<QByteArray> bytes = encodeHistoryText(text);
    s.historyStatus =
        bytes ? d.ui.files.writeFileWhole(s.historyPath, *bytes) : FileStatus::NotEncodable;
    s.historySaveFailed = s.historyStatus == FileStatus::Ok ? 0 : 1;
}

QString historyNotSavedText(const QString& path, FileStatus why, FileKept kept) {
    QString text =
        QStringLiteral("今回の結果を記録できませんでした。\n理由: %1。\n記録ファイル: %2")
            .arg(reasonOf(why), QDir::toNativeSeparators(path));
    if (kept == FileKept::Yes) {
        text += QStringLiteral("\nファイルはそのまま残してあります。");
    }
    return text;
}

QString historyNotSavedLog(const QString& path, FileStatus why) {
    return QStringLiteral("minamo-drill: this drill's result was not recorded in %1: %2")
        .arg(QDir::toNativeSeparators(path), QString::fromLatin1(fileStatusText(why)));
}

} // namespace minamo
