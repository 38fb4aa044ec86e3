#include "trace.h"

namespace minamo::trace {

int solve(const QStringList& args, QTextStream& in, QTextStream& out) {
    out << "drill-trace solve: not built yet\n";
    return 1;
}

} // namespace minamo::trace
