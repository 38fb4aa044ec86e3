#include "fake/solution_reading.h"
#include "trace.h"

#include "algebra/worked_solution.h"

namespace minamo::trace {

Session::Session() : form(fake.platform()) {
    form.Form_Load();
}

void printLog(QTextStream& out, const FakePictureArea& area) {
    for (const QString& line : area.logLines()) {
        out << line << '\n';
    }
}

QStringList solutionLines(const QString& equation) {
    Session session;
    DrillState& s = session.form.state();
    s.explainedEquation = equation;
    s.solutionLineCount = 0;
    showWorkedSolution(session.form.drill());
    return readSolutionLines(session.fake.picture7.ops(), s, equation);
}

int startup(const QStringList& args, QTextStream& in, QTextStream& out) {
    Session session;
    for (const FakePictureArea* area :
         {&session.fake.picture2, &session.fake.picture7, &session.fake.picture1,
          &session.fake.picture3, &session.fake.picture4, &session.fake.picture5}) {
        printLog(out, *area);
    }
    return 0;
}

} // namespace minamo::trace
