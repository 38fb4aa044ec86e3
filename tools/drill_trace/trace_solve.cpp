#include "fake/solution_reading.h"
#include "trace.h"

#include "algebra/worked_solution.h"
#include "core/problem.h"
#include "render/problem_display.h"

namespace minamo::trace {

int solve(const QStringList& args, QTextStream& in, QTextStream& out) {
    bool printDrawLog = false;
    for (const QString& arg : args) {
        if (arg == QStringLiteral("--log")) {
            printDrawLog = true;
        } else {
            out << "drill-trace solve: unknown option '" << arg << "'\n";
            return 2;
        }
    }

    while (!in.atEnd()) {
        QString equation = in.readLine().trimmed();
        if (equation.isEmpty()) {
            continue;
        }
        // A whole problem text may be given too: its instruction is cut off.
        equation = Problem::read(equation).equation;

        // Every equation on a fresh window, as after a first miss at its problem.
        Session session;
        DrillState& s = session.form.state();
        s.explainedEquation = equation;
        s.solutionLineCount = 0;
        showWorkedSolution(session.form.drill());

        out << "== " << equation << '\n';
        if (printDrawLog) {
            printLog(out, session.fake.picture7);
        } else {
            for (const QString& line :
                 readSolutionLines(session.fake.picture7.ops(), s, equation)) {
                out << line << '\n';
            }
        }
    }
    return 0;
}

} // namespace minamo::trace
