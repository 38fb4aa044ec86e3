#pragma once

#include "app/drill.h"

namespace minamo {

// The family file of a record name: "方程式基本1.txt" -> "方程式基本.txt".
QString familyFileName(const QString& recordName);

// The family file's path in a folder, with exactly one separator (also at the root "/").
QString familyFilePath(const QString& folder, const QString& familyFile);

// At a drill start: finds or creates the family file, loads its records, starts the
// countdown and may put the drill list back into bank order.
void readHistory(Drill& d);

// At the end of a drill: rewrites the family file with the loaded records and the new one.
void writeHistory(Drill& d);

} // namespace minamo
