#include "trace.h"

namespace minamo::trace {

int show(const QStringList& args, QTextStream& in, QTextStream& out) {
    out << "drill-trace show: not built yet\n";
    return 1;
}

} // namespace minamo::trace
