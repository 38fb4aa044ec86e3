#include "trace.h"

namespace minamo::trace {

int keys(const QStringList& args, QTextStream& in, QTextStream& out) {
    out << "drill-trace keys: not built yet\n";
    return 1;
}

} // namespace minamo::trace
