#pragma once

#include "report/report_model.h"

#include <QString>

namespace minamo {

// The report as one self-contained HTML page in Japanese: inline style and SVG, no scripts
// and nothing from elsewhere, readable printed and by a screen reader (every chart has its
// records as a table). Everything read from files is escaped.
QString reportPage(const HistoryReport& report);

} // namespace minamo
