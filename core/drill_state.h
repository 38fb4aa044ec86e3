#pragma once

// The one record of all program state. Every procedure of the drill reads and writes
// these fields directly; callers put a procedure's inputs into named fields and read
// its results from fields. Lists have fixed index ranges, integers are 16-bit signed.

#include "core/fixed_list.h"
#include "core/working.h"
#include "platform/platform.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace minamo {

using int16 = std::int16_t;

struct DrillState {
    // Problem bank and drill list.
    FixedList<QString, 0, 1000> bankQuestion; // 1..N written by a builder
    FixedList<QString, 0, 1000> bankAnswer;
    int16 bankCount = 0;
    FixedList<QString, 0, 200> question; // the drill list, positions 1..bankCount
    FixedList<QString, 0, 200> answer;
    int16 currentIndex = 0;

    // Clock and score.
    int16 drillSeconds = 0;
    float startTime = 0;       // time of day in seconds since midnight at the drill's reset
    float endTime = 0;         // startTime + drillSeconds
    float remaining = 0;       // seconds left, recomputed at every tick
    double startMonotonic = 0; // monotonic seconds at the reset: the countdown's true origin
    int16 clockMinutes = 0;
    int16 clockSeconds = 0;
    int16 clockPaused = 0; // 1: the tick does nothing
    int16 correctCount = 0;
    int16 missCount = 0;
    int16 score = 0;

    // Drill control.
    int16 drillRunning = 0;  // 1 from a drill's start to its end
    int16 drillFinished = 0; // 1 once a drill has ended: the menu and judging stay inert
    QString recordName;
    int16 historyCount = 0; // records loaded into the lists below (at most 100)
    FixedList<int16, 0, 100> historyScore;
    FixedList<QString, 0, 100> historyDate;
    FixedList<QString, 0, 100> historySet;
    QString historyPath;
    // Every record line of the family file as read, oldest first, including any beyond
    // the hundredth: written back whole so that no record is ever lost.
    QStringList historyLines;
    int16 historyReadFailed = 0; // 1: the family file could not be read; never overwrite it
    int16 historySaveFailed = 0; // 1: the last attempt to write the family file failed
    FileStatus historyStatus = FileStatus::Ok; // why it could not be read or written
    QString programFolder;
    int16 loopIndex = 0;

    // Texts handed between display procedures.
    QString layoutText;
    FixedList<QString, 0, 5> eqTerm; // slot 0: number of terms as decimal text
    QString termSign;
    QString termNumerator;
    QString termDenominator;
    int16 layoutX = 0; // twips
    int16 layoutY = 0; // twips
    int16 termHighlight = 0;
    QString powerText;
    FixedList<int16, 0, 30> primes;

    // Power renderers.
    int16 baseFontSize = 0; // points; 0 means "not set" (48)
    int16 stayOnLine = 0;
    int16 powerX = 0;
    int16 powerY = 0;

    // Answer editor.
    QString answerText;
    QString answerHead;
    QString answerDisplay;
    int16 fractionMode = 0;
    int16 exponentReady = 0;
    QString fractionPrefix;
    QString fractionSuffix;
    QString typedDenominator;
    QString typedNumerator;
    QString answerLayoutText;
    FixedList<QString, 0, 5> expressionTerms;
    int16 expressionTermCount = 0;

    // Judging and worked solutions.
    QString explainedEquation;
    // The running set's problems that their equation alone does not explain (word problems,
    // ratio equations), with their worked solutions; empty for every bank of equations.
    Workings workings;
    int16 solutionLineCount = 0;
    QString currentLine;
    FixedList<QString, 0, 10> fractionLines;
    QString pendingEquation;
    QString sideText;
    int16 sideCoefficient = 0;
    QString sideLetter;
    int16 sideConstant = 0;
    QString sideCollected;
    QString sideExpanded;

    // Common factor and multiple.
    int16 factorInputA = 0;
    int16 factorInputB = 0;
    int16 commonFactorResult = 0;
    int16 commonMultipleResult = 0;
};

} // namespace minamo
