#pragma once

#include "app/drill.h"

namespace minamo {

inline constexpr int timerIntervalMs = 300;
inline constexpr int drillLengthSeconds = 600;

// The answer sounds, in the program's own folder.
inline const QString rightSoundFile = QStringLiteral("Maru.wav");
inline const QString wrongSoundFile = QStringLiteral("SD05.wav");
QString soundPath(const QString& folder, const QString& file);

// One tick of Timer1: the time left in Label2, the score in Label5, the end at zero.
void timer1Tick(Drill& d);

// The end of a drill: the chart, the record, the close button and the closing message.
void endDrill(Drill& d);

void playRightSound(Drill& d);
void playWrongSound(Drill& d);

} // namespace minamo
