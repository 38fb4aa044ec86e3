#include "fake/fake_platform.h"
#include "fake/qstring_printer.h"
#include "history/history_file.h"

#include <gtest/gtest.h>

namespace minamo {
namespace {

// "方程式基本1.txt" and "方程式基本3.txt" in Shift_JIS, written out byte by byte so that the
// tests do not depend on the encoder they check.
const QByteArray basic1Sjis("\x95\xfb\x92\xf6\x8e\xae\x8a\xee\x96\x7b"
                            "1.txt");
const QByteArray basic3Sjis("\x95\xfb\x92\xf6\x8e\xae\x8a\xee\x96\x7b"
                            "3.txt");
const QString basic1 = QStringLiteral("方程式基本1.txt");
const QString basic3 = QStringLiteral("方程式基本3.txt");
const QString basicFile = QStringLiteral("/home/pupil/方程式基本.txt");

// A drill state on the fake, with a bank of ten problems whose drill list has been
// shuffled (here: reversed), so that a return to bank order shows.
struct HistoryRig {
    HistoryRig() {
        s.recordName = basic1;
        s.bankCount = 10;
        for (int i = 1; i <= 10; ++i) {
            s.bankQuestion[i] = QStringLiteral("q%1").arg(i);
            s.bankAnswer[i] = QStringLiteral("x=%1").arg(i);
            s.question[i] = QStringLiteral("q%1").arg(11 - i);
            s.answer[i] = QStringLiteral("x=%1").arg(11 - i);
        }
        s.clockPaused = 1;
    }
    bool inBankOrder() const {
        for (int i = 1; i <= 10; ++i) {
            if (s.question[i] != s.bankQuestion[i] || s.answer[i] != s.bankAnswer[i]) {
                return false;
            }
        }
        return true;
    }
    bool inDrawnOrder() const {
        for (int i = 1; i <= 10; ++i) {
            if (s.question[i] != QStringLiteral("q%1").arg(11 - i)) {
                return false;
            }
        }
        return true;
    }
    void putFile(const QByteArray& bytes) { fake.files.files.insert(basicFile, bytes); }
    QByteArray file() const { return fake.files.files.value(basicFile); }

    FakePlatform fake;
    DrillState s;
    Drill d{s, fake.platform()};
};

QByteArray sjis(const QString& text) {
    return encodeHistoryText(text).value();
}

TEST(HistoryNames, PathHasExactlyOneSeparator) {
    const QString f = QStringLiteral("方程式基本.txt");
    EXPECT_EQ(familyFilePath(QStringLiteral("/home/pupil"), f),
              QStringLiteral("/home/pupil/方程式基本.txt"));
    EXPECT_EQ(familyFilePath(QStringLiteral("/home/pupil/"), f),
              QStringLiteral("/home/pupil/方程式基本.txt"));
    EXPECT_EQ(familyFilePath(QStringLiteral("/"), f), QStringLiteral("/方程式基本.txt"));
}

TEST(HistoryNames, Dates) {
    EXPECT_EQ(historyHeaderDate(QDate(2026, 3, 7)), QStringLiteral("2026/03/07"));
    EXPECT_EQ(historyRecordDate(QDate(2026, 3, 7)), QStringLiteral("260307"));
    EXPECT_EQ(historyRecordDate(QDate(2031, 12, 31)), QStringLiteral("311231"));
}

TEST(HistoryLines, ReadingRules) {
    const struct {
        const char* line;
        int score;
        const char* date;
        const char* set;
    } cases[] = {
        {"12,260101#方程式基本1.txt", 12, "260101", "方程式基本1.txt"},
        {"-3,260102#方程式難4.txt", -3, "260102", "方程式難4.txt"},
        {"12,260101", 12, "260101", ""},                               // no name
        {"5,260101##方程式基本1.txt", 5, "260101", "方程式基本1.txt"}, // extra "#" dropped
        {"1,2#3,4#5", 1, "2", "3,4#5"}, // first "," and the first "#" after it
        {"#a,260101", 0, "260101", ""}, // a "#" before the "," is not the name mark
        {"+7,260101#n", 7, "260101", "n"},
        {"7x,260101#n", 7, "260101", "n"}, // leading number only
        {"abc,260101#n", 0, "260101", "n"},
        {"12.5,d#n", 12, "d", "n"}, // halves to the even neighbour
        {"13.5,d#n", 14, "d", "n"},
        {"99999,d#n", 32767, "d", "n"}, // kept inside 16 bits
        {",260101#n", 0, "260101", "n"},
        {"8,#n", 8, "", "n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto record = parseHistoryLine(QString::fromUtf8(c.line));
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->score, c.score);
        EXPECT_EQ(record->date, QString::fromUtf8(c.date));
        EXPECT_EQ(record->set, QString::fromUtf8(c.set));
    }
    EXPECT_FALSE(parseHistoryLine(QStringLiteral("12 260101#n")).has_value());
    EXPECT_FALSE(parseHistoryLine(QString()).has_value());
}

TEST(HistoryLines, EveryLineEndIsAccepted) {
    const QStringList expected{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    EXPECT_EQ(splitHistoryLines(QStringLiteral("a\r\nb\r\nc\r\n")), expected);
    EXPECT_EQ(splitHistoryLines(QStringLiteral("a\nb\nc\n")), expected);
    EXPECT_EQ(splitHistoryLines(QStringLiteral("a\rb\rc\r")), expected);
    EXPECT_EQ(splitHistoryLines(QStringLiteral("a\r\nb\nc")), expected); // no final line end
    EXPECT_EQ(splitHistoryLines(QStringLiteral("a\n\nb")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_TRUE(splitHistoryLines(QString()).isEmpty());
}

TEST(HistoryEncoding, ShiftJisBothWays) {
    EXPECT_EQ(encodeHistoryText(basic1).value(), basic1Sjis);
    EXPECT_EQ(decodeHistoryBytes(basic1Sjis).value(), basic1);
    // A lead byte cut off at the end, bytes Shift_JIS does not define, a binary file.
    EXPECT_FALSE(decodeHistoryBytes(QByteArray("12,26\x95", 6)).has_value());
    EXPECT_FALSE(decodeHistoryBytes(QByteArray("\x80\xa0", 2)).has_value());
    EXPECT_FALSE(decodeHistoryBytes(QByteArray("12,\0\0", 5)).has_value());
    // U+2212 (minus sign) has no Shift_JIS form.
    EXPECT_FALSE(encodeHistoryText(QStringLiteral("\u2212")).has_value());
}

TEST(HistoryFile, FirstDrillCreatesTheFileAndTheEndAddsOneRecord) {
    HistoryRig r;
    readHistory(r.d);
    EXPECT_EQ(r.s.clockPaused, 0);
    EXPECT_EQ(r.s.historyPath, basicFile);
    EXPECT_EQ(r.s.historyCount, 0);
    EXPECT_EQ(r.file(), QByteArray("2026/12/09\r\n"));
    EXPECT_TRUE(r.inDrawnOrder());

    r.s.score = 7;
    writeHistory(r.d);
    EXPECT_EQ(r.s.historySaveFailed, 0);
    EXPECT_EQ(r.file(), QByteArray("2026/12/09\r\n7,261209#") + basic1Sjis + "\r\n");
}

TEST(HistoryFile, RoundTripKeepsEveryByteOfAGoodFile) {
    HistoryRig r;
    const QByteArray records = QByteArray("12,260101#") + basic1Sjis + "\r\n" + "-4,260102#" +
                               basic3Sjis + "\r\n" + "9,260103\r\n";
    r.putFile(QByteArray("2026/01/03\r\n") + records);
    readHistory(r.d);

    ASSERT_EQ(r.s.historyCount, 3);
    EXPECT_EQ(r.s.historyScore[1], 12);
    EXPECT_EQ(r.s.historyDate[1], QStringLiteral("260101"));
    EXPECT_EQ(r.s.historySet[1], basic1);
    EXPECT_EQ(r.s.historyScore[2], -4);
    EXPECT_EQ(r.s.historySet[2], basic3);
    EXPECT_EQ(r.s.historyScore[3], 9);
    EXPECT_EQ(r.s.historyDate[3], QStringLiteral("260103"));
    EXPECT_EQ(r.s.historySet[3], QString());
    EXPECT_EQ(r.s.historyReadFailed, 0);

    r.s.score = 15;
    writeHistory(r.d);
    const QByteArray expected =
        QByteArray("2026/12/09\r\n") + records + "15,261209#" + basic1Sjis + "\r\n";
    EXPECT_EQ(r.file(), expected);

    // Read back, the file gives the same records plus the new one.
    HistoryRig again;
    again.putFile(r.file());
    readHistory(again.d);
    ASSERT_EQ(again.s.historyCount, 4);
    EXPECT_EQ(again.s.historyScore[4], 15);
    EXPECT_EQ(again.s.historyDate[4], QStringLiteral("261209"));
    EXPECT_EQ(again.s.historySet[4], basic1);
}

TEST(HistoryFile, LfAndCrOnlyFilesReadAlike) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(QByteArray(end).toHex().toStdString());
        HistoryRig r;
        r.putFile(QByteArray("2026/01/03") + end + "12,260101#" + basic1Sjis + end + "3,260102#" +
                  basic3Sjis + end);
        readHistory(r.d);
        ASSERT_EQ(r.s.historyCount, 2);
        EXPECT_EQ(r.s.historySet[1], basic1);
        EXPECT_EQ(r.s.historyScore[2], 3);
        EXPECT_EQ(r.s.historySet[2], basic3);
        r.s.score = 1;
        writeHistory(r.d);
        // Written back with CRLF throughout.
        EXPECT_EQ(r.file(), QByteArray("2026/12/09\r\n12,260101#") + basic1Sjis + "\r\n3,260102#" +
                                basic3Sjis + "\r\n1,261209#" + basic1Sjis + "\r\n");
    }
}

TEST(HistoryFile, LinesWithoutRecordAddNothingAndInventNothing) {
    HistoryRig r;
    r.putFile(sjis(QStringLiteral("2026/01/03\r\n"
                                  "12,260101#方程式基本1.txt\r\n"
                                  "\r\n"
                                  "メモ: 先生に見せる\r\n"
                                  "   \r\n"
                                  "5,260102#方程式基本3.txt\r\n")));
    readHistory(r.d);
    ASSERT_EQ(r.s.historyCount, 2);
    EXPECT_EQ(r.s.historyScore[1], 12);
    EXPECT_EQ(r.s.historyScore[2], 5);
    EXPECT_EQ(r.s.historySet[2], basic3);
    EXPECT_EQ(r.s.historyScore[3], 0); // nothing beyond the records

    r.s.score = 2;
    writeHistory(r.d);
    // The note line is kept where it was; the blank lines are dropped.
    EXPECT_EQ(r.file(), sjis(QStringLiteral("2026/12/09\r\n"
                                            "12,260101#方程式基本1.txt\r\n"
                                            "メモ: 先生に見せる\r\n"
                                            "5,260102#方程式基本3.txt\r\n"
                                            "2,261209#方程式基本1.txt\r\n")));
}

TEST(HistoryFile, AFirstLineHoldingARecordIsNotTakenForTheHeader) {
    HistoryRig r;
    r.putFile(QByteArray("12,260101#") + basic1Sjis + "\r\n");
    readHistory(r.d);
    ASSERT_EQ(r.s.historyCount, 1);
    EXPECT_EQ(r.s.historyScore[1], 12);
    r.s.score = 3;
    writeHistory(r.d);
    EXPECT_EQ(r.file(), QByteArray("2026/12/09\r\n12,260101#") + basic1Sjis + "\r\n3,261209#" +
                            basic1Sjis + "\r\n");
}

TEST(HistoryFile, AnEmptyFileIsAHistoryWithoutRecords) {
    HistoryRig r;
    r.putFile(QByteArray());
    readHistory(r.d);
    EXPECT_EQ(r.s.historyCount, 0);
    EXPECT_EQ(r.s.historyReadFailed, 0);
    EXPECT_TRUE(r.inDrawnOrder());
    EXPECT_EQ(r.fake.files.writes, 0); // an existing file is not recreated
}

TEST(HistoryFile, HundredAndFiftyRecordsAreKeptWhole) {
    HistoryRig r;
    QString text = QStringLiteral("2026/01/03\r\n");
    for (int i = 1; i <= 150; ++i) {
        text += QStringLiteral("%1,26%2#方程式基本%3.txt\r\n")
                    .arg(i)
                    .arg(i, 4, 10, QChar(u'0'))
                    .arg(i % 2 == 0 ? 3 : 1);
    }
    r.putFile(sjis(text));
    readHistory(r.d);

    EXPECT_EQ(r.s.historyCount, 100);
    EXPECT_EQ(r.s.historyScore[1], 1);
    EXPECT_EQ(r.s.historyScore[100], 100);
    EXPECT_EQ(r.s.historyDate[100], QStringLiteral("260100"));
    EXPECT_EQ(r.s.historyLines.size(), 150);
    EXPECT_EQ(r.s.historyLines.back(), QStringLiteral("150,260150#方程式基本3.txt"));
    const auto violations = rangeViolations();

    r.s.score = 20;
    writeHistory(r.d);
    text.replace(0, 10, QStringLiteral("2026/12/09"));
    text += QStringLiteral("20,261209#方程式基本1.txt\r\n");
    EXPECT_EQ(r.file(), sjis(text));
    EXPECT_EQ(rangeViolations(), violations);
}

// Which order a drill of 方程式基本1.txt uses, after the records of its family file.
TEST(HistoryOrder, BankOrderAfterAWeakOrMissingFirstResultOfTheSet) {
    const struct {
        const char* name;
        QStringList records;
        bool bankOrder;
    } cases[] = {
        {"no records", {}, false},
        {"only another set", {QStringLiteral("20,260101#方程式基本3.txt")}, true},
        {"oldest of the set 9",
         {QStringLiteral("9,260101#方程式基本1.txt"), QStringLiteral("30,260102#方程式基本1.txt")},
         true},
        {"oldest of the set 10",
         {QStringLiteral("10,260101#方程式基本1.txt"), QStringLiteral("2,260102#方程式基本1.txt")},
         false},
        {"other sets first, then 15",
         {QStringLiteral("3,260101#方程式基本3.txt"), QStringLiteral("15,260102#方程式基本1.txt")},
         false},
        {"other sets first, then -2",
         {QStringLiteral("30,260101#方程式基本3.txt"), QStringLiteral("-2,260102#方程式基本1.txt")},
         true},
        {"records without a name", {QStringLiteral("25,260101")}, true},
        {"a note line only", {QStringLiteral("メモ")}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryRig r;
        r.putFile(sjis(QStringLiteral("2026/01/03\r\n") + c.records.join(QStringLiteral("\r\n"))));
        readHistory(r.d);
        EXPECT_EQ(r.inBankOrder(), c.bankOrder);
        EXPECT_EQ(r.inDrawnOrder(), !c.bankOrder);
    }
}

TEST(HistoryOrder, TheFirstRecordOfTheSetCountsEvenPastTheHundredth) {
    HistoryRig r;
    QString text = QStringLiteral("2026/01/03\r\n");
    for (int i = 1; i <= 120; ++i) {
        text += QStringLiteral("5,260101#方程式基本3.txt\r\n");
    }
    text += QStringLiteral("12,260102#方程式基本1.txt\r\n");
    r.putFile(sjis(text));
    readHistory(r.d);
    EXPECT_TRUE(r.inDrawnOrder());
}

TEST(HistoryFile, UnreadableFileIsNeverOverwritten) {
    const QByteArray notShiftJis = QByteArray("2026/01/03\r\n12,260101#") + "\x80\xa0\r\n";
    for (const char* kind : {"permissions", "directory", "bytes"}) {
        SCOPED_TRACE(kind);
        HistoryRig r;
        if (QByteArray(kind) == "permissions") {
            r.fake.files.unreadable.insert(basicFile);
        } else if (QByteArray(kind) == "directory") {
            r.fake.files.directories.insert(basicFile);
        } else {
            r.putFile(notShiftJis);
        }
        readHistory(r.d);
        EXPECT_EQ(r.s.clockPaused, 0); // the drill goes on
        EXPECT_EQ(r.s.historyReadFailed, 1);
        EXPECT_EQ(r.s.historyCount, 0);
        EXPECT_EQ(r.s.historyPath, basicFile);
        EXPECT_TRUE(r.inDrawnOrder());

        r.s.score = 9;
        writeHistory(r.d);
        EXPECT_EQ(r.fake.files.writes, 0);
        if (QByteArray(kind) == "bytes") {
            EXPECT_EQ(r.file(), notShiftJis);
        }
    }
}

TEST(HistoryFile, FailedWriteLeavesTheOldFileAndIsNoted) {
    HistoryRig r;
    const QByteArray old = QByteArray("2026/01/03\r\n12,260101#") + basic1Sjis + "\r\n";
    r.putFile(old);
    readHistory(r.d);
    r.fake.files.failWrites = true;
    r.s.score = 4;
    writeHistory(r.d);
    EXPECT_EQ(r.s.historySaveFailed, 1);
    EXPECT_EQ(r.file(), old);
}

TEST(HistoryFile, FolderWhereNothingCanBeCreated) {
    HistoryRig r;
    r.fake.files.failWrites = true; // a read-only folder
    readHistory(r.d);
    EXPECT_EQ(r.s.clockPaused, 0);
    EXPECT_EQ(r.s.historyReadFailed, 0);
    EXPECT_FALSE(r.fake.files.exists(basicFile));
    r.s.score = 4;
    writeHistory(r.d);
    EXPECT_EQ(r.s.historySaveFailed, 1);
    EXPECT_FALSE(r.fake.files.exists(basicFile));
}

// What the file holds when the drill ends decides what is written: another copy may have
// added a record, removed the file or left it unreadable since this drill started.
TEST(HistoryFile, TheEndReadsTheFileAgainUnderItsLock) {
    const QByteArray atStart = QByteArray("2026/01/03\r\n12,260101#") + basic1Sjis + "\r\n";
    const QByteArray grown = atStart + "7,261208#" + basic3Sjis + "\r\n";
    const QByteArray damaged = QByteArray("2026/01/03\r\n12,260101#") + "\x80\xa0\r\n";
    const QByteArray newRecord = QByteArray("5,261209#") + basic1Sjis + "\r\n";
    const QByteArray header = "2026/12/09\r\n";
    enum class Meanwhile { Nothing, Grown, Removed, Damaged, Locked };
    const struct {
        Meanwhile meanwhile;
        QByteArray after; // empty: the file as it was left meanwhile
        int saveFailed;
    } cases[] = {
        {Meanwhile::Nothing, header + atStart.mid(12) + newRecord, 0},
        {Meanwhile::Grown, header + grown.mid(12) + newRecord, 0},
        {Meanwhile::Removed, header + atStart.mid(12) + newRecord, 0},
        {Meanwhile::Damaged, {}, 1},
        {Meanwhile::Locked, {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.meanwhile));
        HistoryRig r;
        r.putFile(atStart);
        readHistory(r.d);
        switch (c.meanwhile) {
        case Meanwhile::Nothing:
            break;
        case Meanwhile::Grown:
            r.putFile(grown);
            break;
        case Meanwhile::Removed:
            r.fake.files.files.remove(basicFile);
            break;
        case Meanwhile::Damaged:
            r.putFile(damaged);
            break;
        case Meanwhile::Locked:
            r.fake.files.lockRefused = true;
            break;
        }
        const QByteArray left = r.file();
        r.s.score = 5;
        writeHistory(r.d);
        EXPECT_EQ(r.s.historySaveFailed, c.saveFailed);
        EXPECT_EQ(r.file(), c.after.isEmpty() ? left : c.after);
        // The chart keeps what was loaded at the start.
        EXPECT_EQ(r.s.historyCount, 1);
    }
}

// A network folder's client cache (sshfs with its default options) answers the first read
// after another machine's write with the bytes from before: the end of the drill reads until
// two reads in a row agree, and leaves a file whose reads never agree alone.
TEST(HistoryFile, TheReadUnderTheLockTrustsNoClientCache) {
    const QByteArray atStart = QByteArray("2026/01/03\r\n12,260101#") + basic1Sjis + "\r\n";
    const QByteArray elsewhere = atStart + "7,261208#" + basic3Sjis + "\r\n";
    const QByteArray mine = QByteArray("5,261209#") + basic1Sjis + "\r\n";
    const struct {
        int unsettled; // reads that still alternate with the old bytes
        QByteArray after;
        FileStatus status;
    } cases[] = {
        {1, "2026/12/09\r\n" + elsewhere.mid(12) + mine, FileStatus::Ok},
        {9, elsewhere, FileStatus::Unsettled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unsettled);
        HistoryRig r;
        r.putFile(atStart);
        readHistory(r.d);
        r.fake.files.writtenElsewhere(basicFile, elsewhere, c.unsettled);
        r.s.score = 5;
        writeHistory(r.d);
        EXPECT_EQ(r.file(), c.after);
        EXPECT_EQ(r.s.historyStatus, c.status);
        EXPECT_EQ(r.s.historySaveFailed, c.status == FileStatus::Ok ? 0 : 1);
    }
}

TEST(HistoryFile, NoticeNamesTheFile) {
    EXPECT_EQ(
        historyNotSavedText(basicFile, FileStatus::NoSpace, FileKept::Yes),
        QStringLiteral("今回の結果を記録できませんでした。\n理由: ディスクに空きがありません。"
                       "\n記録ファイル: /home/pupil/方程式基本.txt\n"
                       "ファイルはそのまま残してあります。"));
    EXPECT_EQ(historyNotSavedText(basicFile, FileStatus::NoPermission, FileKept::No),
              QStringLiteral("今回の結果を記録できませんでした。\n理由: そのファイルかフォルダー"
                             "を使う許可がないか、読み取り専用の場所です。\n記録ファイル: "
                             "/home/pupil/方程式基本.txt"));
}

} // namespace
} // namespace minamo
