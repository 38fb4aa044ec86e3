#include "drivers/fake_drive.h"
#include "platform/key_codes.h"
#include "trace.h"

#include <cstdio>

namespace minamo::trace {

namespace {
QString describeKey(int16 code) {
    const QString character = characterForKeyCode(code);
    return character.isEmpty() || code == static_cast<int16>(u'"')
               ? QStringLiteral("key %1").arg(code)
               : QStringLiteral("key %1 \"%2\"").arg(code).arg(character);
}
} // namespace

int keys(const QStringList& args, QTextStream& in, QTextStream& out) {
    bool log = false;
    for (const QString& arg : args) {
        if (arg == QStringLiteral("--log")) {
            log = true;
        } else {
            std::fprintf(stderr, "drill-trace keys: unknown option '%s'\n", qPrintable(arg));
            return 2;
        }
    }
    while (!in.atEnd()) {
        const QString line = in.readLine();
        // Each line is typed into the answer box as it stands right after a presentation.
        Session session;
        DrillState& s = session.form.state();
        s.drillRunning = 1;
        for (const int16 code : parseKeyNotation(line)) {
            session.fake.picture3.forgetLog();
            pressKey(session.form, session.fake, code);
            if (log) {
                out << describeKey(code) << '\n';
                printLog(out, session.fake.picture3);
            }
        }
        out << s.answerText << '\t' << session.fake.text4.text() << '\t' << s.answerHead << '\n';
    }
    return 0;
}

} // namespace minamo::trace
