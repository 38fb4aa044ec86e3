#pragma once

#include "app/drill.h"

namespace minamo {

inline constexpr int timerIntervalMs = 300;
inline constexpr int drillLengthSeconds = 600;

// The answer sounds, in the program's own folder.
inline const QString rightSoundFile = QStringLiteral("Maru.wav");
inline const QString wrongSoundFile = QStringLiteral("SD05.wav");
QString soundPath(const QString& folder, const QString& file);

// The closing message at the end of a drill that recorded a result.
inline const QString closingMessageText =
    QStringLiteral("おつかれさまでした。伸びていこう、少しでいいから。消すをおして終わろう");
inline const QString closingMessageTitle = QStringLiteral("終わる？");

// One tick of Timer1: the time left in Label2, the score in Label5, the end at zero.
// The time left is measured on the monotonic clock from the drill's reset, so a drill
// over midnight lasts its full length too.
void timer1Tick(Drill& d);

// The end of a drill: the chart, the record, the close button and the closing message.
// Runs once per drill: it stops the countdown and leaves the menu and judging inert.
void endDrill(Drill& d);

void playRightSound(Drill& d);
void playWrongSound(Drill& d);

} // namespace minamo
