// The history reader and writer over arbitrary family files: the bytes are the file, it is
// read at a drill start and written back at the drill's end, then read again. What was read
// must read the same after the round trip, with the new record after it; no line of the
// file is lost; a file that could not be read or saved keeps its bytes.

#include "core/basic_text.h"
#include "core/fixed_list.h"
#include "fake/fake_platform.h"
#include "fuzz/fuzz_check.h"
#include "history/history_file.h"

#include <cstdint>
#include <vector>

namespace minamo {
namespace {

const QString recordName = QStringLiteral("方程式基本1.txt");
const QString familyPath = QStringLiteral("/home/pupil/方程式基本.txt");

struct Rig {
    FakePlatform fake;
    DrillState s;
    Drill d{s, fake.platform()};
};

struct Loaded {
    int16 count = 0;
    std::vector<HistoryRecord> records; // 1..count of the lists
    QStringList lines;
};

Loaded loaded(const DrillState& s) {
    Loaded l;
    l.count = s.historyCount;
    for (int i = 1; i <= s.historyCount; ++i) {
        l.records.push_back({s.historyScore[i], s.historyDate[i], s.historySet[i]});
    }
    l.lines = s.historyLines;
    return l;
}

bool same(const HistoryRecord& a, const HistoryRecord& b) {
    return a.score == b.score && a.date == b.date && a.set == b.set;
}

// The lines of a text worked out on their own here, not with the splitter under test.
QStringList linesOf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// The lines a rewrite must keep: all but the header (a first line with "," is a record,
// not a header) and the blank ones.
QStringList keptLines(const QString& text) {
    QStringList lines = linesOf(text);
    if (!lines.isEmpty() && !lines.front().contains(u',')) {
        lines.removeFirst();
    }
    QStringList kept;
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty()) {
            kept << line;
        }
    }
    return kept;
}

QString describe(const QByteArray& bytes) {
    return QStringLiteral("file bytes %1").arg(QString::fromLatin1(bytes.toHex()));
}

} // namespace
} // namespace minamo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minamo;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto violations = rangeViolations();

    Rig first;
    first.s.recordName = recordName;
    first.s.score = static_cast<int16>(static_cast<int>(size % 61) - 20);
    first.fake.files.files.insert(familyPath, input);
    readHistory(first.d);
    const Loaded before = loaded(first.s);
    writeHistory(first.d);
    const QByteArray written = first.fake.files.files.value(familyPath);

    const std::optional<QString> text = decodeHistoryBytes(input);
    if (!text || first.s.historyReadFailed == 1) {
        // Not Shift_JIS text: nothing is loaded and the file is never overwritten.
        FUZZ_CHECK(!text && first.s.historyReadFailed == 1, describe(input));
        FUZZ_CHECK(written == input && first.fake.files.writes == 0, describe(input));
        FUZZ_CHECK(before.count == 0 && before.lines.isEmpty(), describe(input));
        FUZZ_CHECK(rangeViolations() == violations, describe(input));
        return 0;
    }
    FUZZ_CHECK(before.lines == keptLines(*text), describe(input));
    if (first.s.historySaveFailed == 1) {
        // A text that cannot be written back in Shift_JIS: the old file stays as it was.
        FUZZ_CHECK(written == input, describe(input));
        FUZZ_CHECK(rangeViolations() == violations, describe(input));
        return 0;
    }

    // Written: the header of today, every kept line as it was, the new record.
    const std::optional<QString> writtenText = decodeHistoryBytes(written);
    FUZZ_CHECK(writtenText.has_value(), describe(input));
    const QStringList writtenLines = linesOf(*writtenText);
    const QString newRecord = decimalText(first.s.score) + QStringLiteral(",261209#") + recordName;
    FUZZ_CHECK(writtenText->endsWith(QStringLiteral("\r\n")), describe(input));
    FUZZ_CHECK(writtenLines.value(0) == QStringLiteral("2026/12/09"), describe(input));
    FUZZ_CHECK(writtenLines.mid(1) == before.lines + QStringList{newRecord}, describe(input));

    // Read again: the same records, the new one after them (as far as the lists hold).
    Rig second;
    second.s.recordName = recordName;
    second.fake.files.files.insert(familyPath, written);
    readHistory(second.d);
    const Loaded after = loaded(second.s);
    FUZZ_CHECK(second.s.historyReadFailed == 0, describe(input));
    FUZZ_CHECK(after.lines == before.lines + QStringList{newRecord}, describe(input));
    const int expectedCount =
        before.count < maxLoadedRecords ? before.count + 1 : int{maxLoadedRecords};
    FUZZ_CHECK(after.count == expectedCount, describe(input));
    for (int i = 0; i < before.count; ++i) {
        FUZZ_CHECK(same(after.records[static_cast<std::size_t>(i)],
                        before.records[static_cast<std::size_t>(i)]),
                   describe(input) + QStringLiteral(" record %1").arg(i + 1));
    }
    if (before.count < maxLoadedRecords) {
        const HistoryRecord& added = after.records.back();
        FUZZ_CHECK(same(added, HistoryRecord{first.s.score, QStringLiteral("261209"), recordName}),
                   describe(input));
    }
    FUZZ_CHECK(rangeViolations() == violations, describe(input));
    return 0;
}
