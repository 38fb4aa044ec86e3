#include "fake/solution_reading.h"
#include "trace.h"

#include "algebra/worked_solution.h"
#include "core/basic_text.h"

namespace minamo::trace {

namespace {
// A whole problem text may be given too: its instruction is cut off as judging does.
const QString equationInstruction = QStringLiteral(" 方程式を");
} // namespace

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
        const int instruction = positionOf(equation, equationInstruction);
        if (instruction > 0) {
            equation = leftText(equation, instruction - 1);
        }

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
