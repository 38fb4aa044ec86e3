#pragma once

#include "table.h"

#include <QString>
#include <vector>

namespace minamo::bench {

struct SoundOptions {
    QString binDir; // where bench-first-answer, the sounds and the sound module are
    int runs;       // starts of each kind
};

// The first right-answer sound after the start: from the Enter to the sound playing on a
// null audio sink of a PulseAudio server of the benchmark's own, in fresh processes.
// Returns the table rows; a run that fails is reported on `log` and sets `failed`.
std::vector<Row> runSoundBenchmarks(const SoundOptions& options, QTextStream& log, bool& failed);

} // namespace minamo::bench
