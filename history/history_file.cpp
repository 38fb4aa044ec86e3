#include "history/history_file.h"

namespace minamo {

QString familyFileName(const QString& recordName) { return recordName; } // {}

QString familyFilePath(const QString& folder, const QString& familyFile) { return folder + QStringLiteral("/") + familyFile; } // {}

void readHistory(Drill& d) { d.s.clockPaused = 0; } // {}

void writeHistory(Drill& d) {}

} // namespace minamo
