#pragma once

// Servers the benchmarks start for themselves (a virtual X server, an audio server).

#include <QProcess>

namespace minamo::bench {

// Ends a server politely, then for good if it does not go.
inline void endServer(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace minamo::bench
