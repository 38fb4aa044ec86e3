#pragma once

#include "report/class_report.h"

#include <QString>

namespace minamo {

// The class report as one self-contained HTML page in the single report's style: the
// overview of every pupil's latest score per set, then per set the pupils who need help
// first, then every pupil's summary with a small chart per set. Printed, the overview of a
// class of 40 fits one A4 landscape page, and so do the sets of one family.
QString classPage(const ClassReport& report);

} // namespace minamo
