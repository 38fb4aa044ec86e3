#include "trace.h"

namespace minamo::trace {

int banks(const QStringList& args, QTextStream& in, QTextStream& out) {
    out << "drill-trace banks: not built yet\n";
    return 1;
}

} // namespace minamo::trace
