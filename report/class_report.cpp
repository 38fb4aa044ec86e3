#include "report/class_report.h"

#include "catalogue/catalogue.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace minamo {

namespace {

// Pupils as a teacher numbers them: "2_..." before "10_...". Names the collation finds
// equal keep the order of their characters, so the order never depends on the listing.
void sortByName(std::vector<PupilReport>& pupils) {
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setNumericMode(true);
    std::sort(pupils.begin(), pupils.end(), [&](const PupilReport& a, const PupilReport& b) {
        const int order = collator.compare(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
}

bool hasFamily(const HistoryReport& history, const QString& fileName) {
    return std::any_of(history.families.begin(), history.families.end(),
                       [&](const FamilyReport& family) { return family.fileName == fileName; });
}

std::vector<ClassColumn> columnsFor(const std::vector<PupilReport>& pupils) {
    std::vector<ClassColumn> columns;
    for (const Numbers numbers : {Numbers::Bank, Numbers::Fresh}) {
        for (const CatalogueEntry& entry : catalogue()) {
            if (!entry.choosable(numbers)) {
                continue;
            }
            const RecordName name = recordNameFor(entry, numbers);
            const bool shown =
                numbers == Numbers::Bank ||
                std::any_of(pupils.begin(), pupils.end(), [&](const PupilReport& pupil) {
                    return hasFamily(pupil.history, name.familyFile());
                });
            if (shown) {
                columns.push_back({.recordName = name.text(),
                                   .numbers = numbers,
                                   .problems = entry.problemCount(),
                                   .menu = menuPathOfRecord(name.text())});
            }
        }
    }
    return columns;
}

} // namespace

ClassReport buildClassReport(const FileSystem& files, const QString& folder, const QDate& made) {
    const QFileInfo info(folder);
    ClassReport report{.folder = QDir::cleanPath(info.absoluteFilePath()),
                       .made = made,
                       .folderState = folderStateOf(info)};
    if (report.folderState == FolderState::Found) {
        const QFileInfoList entries =
            QDir(report.folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
        for (const QFileInfo& entry : entries) {
            report.pupils.push_back(
                {.name = entry.fileName(), .history = buildReport(files, entry.filePath(), made)});
        }
        sortByName(report.pupils);
    }
    report.columns = columnsFor(report.pupils);
    return report;
}

ClassCell classCell(const PupilReport& pupil, const QString& recordName) {
    const QString fileName = familyFileName(recordName);
    for (const FamilyReport& family : pupil.history.families) {
        if (family.fileName != fileName) {
            continue;
        }
        if (isUnreadable(family)) {
            return {.state = ClassCell::State::Unreadable};
        }
        for (const SetReport& set : family.sets) {
            if (set.recordName == recordName) {
                return {.state = ClassCell::State::Score, .set = &set};
            }
        }
    }
    if (pupil.history.folderState == FolderState::CannotOpen) {
        return {.state = ClassCell::State::Unreadable};
    }
    return {};
}

int scoreBand(int score, int problems) {
    if (problems <= 0 || score <= 0) {
        return 0;
    }
    return std::min(scoreBands - 1, score * scoreBands / problems);
}

SetStanding setStanding(const ClassReport& report, const QString& recordName) {
    SetStanding standing;
    for (const PupilReport& pupil : report.pupils) {
        const ClassCell cell = classCell(pupil, recordName);
        switch (cell.state) {
        case ClassCell::State::Score:
            standing.ranked.emplace_back(&pupil, cell.set);
            break;
        case ClassCell::State::NoRecord:
            standing.withoutRecord.push_back(&pupil);
            break;
        case ClassCell::State::Unreadable:
            standing.unreadable.push_back(&pupil);
            break;
        }
    }
    std::stable_sort(
        standing.ranked.begin(), standing.ranked.end(),
        [](const auto& a, const auto& b) { return a.second->latestScore < b.second->latestScore; });
    return standing;
}

QStringList pupilSentences(const PupilReport& pupil) {
    const HistoryReport& history = pupil.history;
    switch (history.folderState) {
    case FolderState::CannotOpen:
        return {QStringLiteral("フォルダーを開けませんでした（読む許可がないようです）。"
                               "そのままにしてあります。")};
    case FolderState::Missing:
    case FolderState::NotAFolder:
        return {folderSentence(history)};
    case FolderState::Found:
        break;
    }
    if (!folderSentence(history).isEmpty()) {
        return {QStringLiteral("記録のファイルがまだありません（ドリルをしていないか、"
                               "記録がほかの場所にあるようです）。")};
    }
    return unreadableFamilySentences(history);
}

QString classFolderSentence(const ClassReport& report) {
    const QString folder = QDir::toNativeSeparators(report.folder);
    switch (report.folderState) {
    case FolderState::Missing:
        return QStringLiteral("クラスのフォルダー %1 が見つかりませんでした。").arg(folder);
    case FolderState::NotAFolder:
        return QStringLiteral("%1 はフォルダーではないので、生徒のフォルダーを探せませんでした。")
            .arg(folder);
    case FolderState::CannotOpen:
        return QStringLiteral(
                   "クラスのフォルダー %1 を開けませんでした（読む許可がないようです）。")
            .arg(folder);
    case FolderState::Found:
        break;
    }
    return report.pupils.empty()
               ? QStringLiteral("%1 には生徒のフォルダーがありません。クラスのフォルダーには、"
                                "生徒ひとりにつき一つの記録のフォルダーを置きます。")
                     .arg(folder)
               : QString();
}

} // namespace minamo
