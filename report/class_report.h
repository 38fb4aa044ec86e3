#pragma once

// What the class report shows: every pupil folder directly inside a class folder (on a
// school's share, one folder per pupil), each read exactly as the single report reads it.
// Building it only reads.

#include "catalogue/catalogue.h"
#include "report/report_model.h"

#include <optional>

namespace minamo {

struct PupilReport {
    QString name; // the folder's name, exactly as it is: "01_佐藤花子"
    HistoryReport history;
};

// A set of the overview's columns: a record name and the number of its problems, the
// highest score a drill of it can reach.
struct ClassColumn {
    QString recordName;
    Numbers numbers = Numbers::Bank;
    int problems = 0;
    QString menu; // where the pupil chooses it: "方程式基本 → 基本１", "（新しい数）" added
};

struct ClassReport {
    QString folder;
    QDate made;
    FolderState folderState = FolderState::Missing;
    std::vector<PupilReport> pupils; // in the order of their names
    // The fixed sets in catalogue order, then the fresh sets of the families some pupil has.
    std::vector<ClassColumn> columns;
};

// Reads every pupil folder of the class folder. Hidden folders (".snapshot" and the like on
// a share) are no pupils; files beside the pupil folders are left out.
ClassReport buildClassReport(const FileSystem& files, const QString& folder, const QDate& made);

// What the overview knows of one pupil and set.
struct ClassCell {
    enum class State { NoRecord, Score, Unreadable };
    State state = State::NoRecord;
    const SetReport* set = nullptr; // for a score
};
ClassCell classCell(const PupilReport& pupil, const QString& recordName);

// How strong a latest score is for its set, from 0 (under a quarter of the problems, or
// below zero) to 3 (three quarters or more); the page colours the cells by it.
int scoreBand(int score, int problems);
inline constexpr int scoreBands = 4;

// The pupils of one set for the teacher: those with records, the lowest latest score first
// (equal scores in the pupils' order); those with none; those whose family file could not
// be read.
struct SetStanding {
    std::vector<std::pair<const PupilReport*, const SetReport*>> ranked;
    std::vector<const PupilReport*> withoutRecord;
    std::vector<const PupilReport*> unreadable;
};
SetStanding setStanding(const ClassReport& report, const QString& recordName);

// The calm sentences about a pupil's folder: that it holds no family file, or each file that
// could not be read; empty when everything was read.
QStringList pupilSentences(const PupilReport& pupil);
// The calm sentence about the class folder itself; empty when it holds pupil folders.
QString classFolderSentence(const ClassReport& report);

} // namespace minamo
