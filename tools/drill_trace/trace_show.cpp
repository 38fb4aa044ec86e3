#include "trace.h"

#include "app/presentation.h"

#include <cstdio>

namespace minamo::trace {

// The problem becomes a one-problem drill list and is presented as the first problem;
// only what the presentation drew in Picture2 is printed.
int show(const QStringList& args, QTextStream& in, QTextStream& out) {
    if (args.isEmpty()) {
        std::fprintf(stderr, "drill-trace show: give the problem text, e.g. "
                             "drill-trace show \"x-1/3=1/3 方程式を解いて。\"\n");
        return 2;
    }
    // Words the shell split apart belong to one problem text.
    const QString problem = args.join(QLatin1Char(' '));

    Session session;
    DrillState& s = session.form.state();
    s.question[1] = problem;
    s.bankCount = 1;
    s.currentIndex = 0;
    session.fake.picture2.forgetLog();
    advanceProblem(session.form.drill());
    printLog(out, session.fake.picture2);
    return 0;
}

} // namespace minamo::trace
