#include "report/report_model.h"

#include "catalogue/catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <map>

namespace minamo {

namespace {

constexpr qsizetype recordedDateLength = 6;

// Why a family file shows no records, in the words a parent is given.
FamilyState unreadableState(FileStatus status, const QString& path) {
    switch (status) {
    case FileStatus::NotShiftJis:
        return FamilyState::NotShiftJis;
    case FileStatus::NotAFile:
        return QFileInfo(path).isDir() ? FamilyState::IsFolder : FamilyState::CannotOpen;
    default:
        return FamilyState::CannotOpen;
    }
}

// Sets by record name, unnamed records last.
bool setNameBefore(const QString& a, const QString& b) {
    if (a.isEmpty() != b.isEmpty()) {
        return b.isEmpty();
    }
    return a < b;
}

FamilyReport familyReport(const FileSystem& files, const QString& folder, const QString& fileName) {
    FamilyReport family{.fileName = fileName, .path = familyFilePath(folder, fileName)};
    const FamilyFile file = readFamilyFile(files, family.path);
    switch (file.status) {
    case FileStatus::Missing:
        family.state = FamilyState::Missing;
        return family;
    case FileStatus::Ok:
        family.state = FamilyState::Read;
        break;
    default:
        family.state = unreadableState(file.status, family.path);
        return family;
    }
    for (const QString& line : file.lines) {
        if (!parseHistoryLine(line)) {
            family.oddLines << line;
        }
    }
    std::map<QString, std::vector<HistoryRecord>, decltype(&setNameBefore)> bySet(&setNameBefore);
    for (const HistoryRecord& record : file.records) {
        bySet[record.set].push_back(record);
    }
    for (auto& [name, records] : bySet) {
        family.sets.push_back(setReport(fileName, name, std::move(records)));
    }
    return family;
}

} // namespace

SetReport setReport(const QString& familyFile, const QString& recordName,
                    std::vector<HistoryRecord> records) {
    SetReport set{.familyFile = familyFile, .recordName = recordName};
    set.drills = static_cast<int>(records.size());
    set.firstDate = records.front().date;
    set.latestDate = records.back().date;
    set.latestScore = records.back().score;
    set.bestScore = std::max_element(records.begin(), records.end(),
                                     [](const HistoryRecord& a, const HistoryRecord& b) {
                                         return a.score < b.score;
                                     })
                        ->score;
    set.records = std::move(records);
    return set;
}

FolderState folderStateOf(const QFileInfo& folder) {
    if (!folder.exists()) {
        return FolderState::Missing;
    }
    if (!folder.isDir()) {
        return FolderState::NotAFolder;
    }
    if (!folder.isReadable() || !folder.isExecutable()) {
        return FolderState::CannotOpen;
    }
    return FolderState::Found;
}

HistoryReport buildReport(const FileSystem& files, const QString& folder, const QDate& made) {
    const QFileInfo info(folder);
    HistoryReport report{.folder = QDir::cleanPath(info.absoluteFilePath()),
                         .made = made,
                         .folderState = folderStateOf(info)};
    if (report.folderState != FolderState::Found) {
        return report;
    }
    for (const Numbers numbers : {Numbers::Bank, Numbers::Fresh}) {
        for (const QString& fileName : familyFiles(numbers)) {
            FamilyReport family = familyReport(files, report.folder, fileName);
            if (numbers == Numbers::Fresh && family.state == FamilyState::Missing) {
                continue;
            }
            report.families.push_back(std::move(family));
        }
    }
    return report;
}

std::vector<const SetReport*> overviewOrder(const HistoryReport& report) {
    std::vector<const SetReport*> sets;
    for (const FamilyReport& family : report.families) {
        for (const SetReport& set : family.sets) {
            sets.push_back(&set);
        }
    }
    std::stable_sort(sets.begin(), sets.end(), [](const SetReport* a, const SetReport* b) {
        return a->latestScore < b->latestScore;
    });
    return sets;
}

QString setTitle(const QString& recordName) {
    if (recordName.isEmpty()) {
        return QStringLiteral("（セット名のない記録）");
    }
    return recordTitle(recordName);
}

QString displayDate(const QString& recordedDate) {
    const bool digits = recordedDate.size() == recordedDateLength &&
                        std::all_of(recordedDate.begin(), recordedDate.end(),
                                    [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits) {
        return recordedDate;
    }
    return recordedDate.left(2) + u'/' + recordedDate.mid(2, 2) + u'/' + recordedDate.mid(4, 2);
}

QString familySentence(const FamilyReport& family) {
    const QString& name = family.fileName;
    switch (family.state) {
    case FamilyState::Read:
        return family.sets.empty() ? QStringLiteral("%1 には、まだ記録がありません。").arg(name)
                                   : QString();
    case FamilyState::Missing:
        return QStringLiteral("%1 はありません。このなかまのドリルは、まだ記録されていません。")
            .arg(name);
    case FamilyState::IsFolder:
        return QStringLiteral("%1 はファイルではなくフォルダーなので、記録として読めませんでした。"
                              "そのままにしてあります。")
            .arg(name);
    case FamilyState::CannotOpen:
        return QStringLiteral("%1 を開けませんでした（読む許可がないようです）。"
                              "そのままにしてあります。")
            .arg(name);
    case FamilyState::NotShiftJis:
        return QStringLiteral("%1 は記録の文字（Shift_JIS）として読めませんでした。"
                              "そのままにしてあります。")
            .arg(name);
    }
    return QString();
}

bool isUnreadable(const FamilyReport& family) {
    return family.state != FamilyState::Read && family.state != FamilyState::Missing;
}

QStringList unreadableFamilySentences(const HistoryReport& report) {
    QStringList sentences;
    for (const FamilyReport& family : report.families) {
        if (isUnreadable(family)) {
            sentences << familySentence(family);
        }
    }
    return sentences;
}

QString folderSentence(const HistoryReport& report) {
    const QString folder = QDir::toNativeSeparators(report.folder);
    switch (report.folderState) {
    case FolderState::Missing:
        return QStringLiteral("記録のフォルダー %1 が見つかりませんでした。"
                              "まだドリルをしていないか、記録がほかのフォルダーにあるようです。")
            .arg(folder);
    case FolderState::NotAFolder:
        return QStringLiteral("%1 はフォルダーではないので、記録を探せませんでした。").arg(folder);
    case FolderState::CannotOpen:
        return QStringLiteral("記録のフォルダー %1 を開けませんでした（読む許可がないようです）。"
                              "そのままにしてあります。")
            .arg(folder);
    case FolderState::Found:
        break;
    }
    const bool anyFile =
        std::any_of(report.families.begin(), report.families.end(), [](const FamilyReport& family) {
            return family.state != FamilyState::Missing;
        });
    if (anyFile) {
        return QString();
    }
    QStringList names;
    for (const QString& name : familyFiles()) {
        names << name;
    }
    return QStringLiteral(
               "%1 には記録のファイル（%2）がありません。まだドリルの記録がないようです。")
        .arg(folder, names.join(u'、'));
}

} // namespace minamo
