#pragma once

#include "core/drill.h"

namespace minamo {

// The answer sounds, in the program's own folder.
inline const QString rightSoundFile = QStringLiteral("Maru.wav");
inline const QString wrongSoundFile = QStringLiteral("SD05.wav");
QString soundPath(const QString& folder, const QString& file);

// Each starts its sound without waiting for it; a missing sound leaves the drill silent.
void playRightSound(Drill& d);
void playWrongSound(Drill& d);

} // namespace minamo
