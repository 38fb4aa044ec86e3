#include "trace.h"

#include "banks/banks.h"

#include <cstdio>
#include <memory>

namespace minamo::trace {

// Every built-in problem, a line each: builder, position, problem text, answer.
int banks(const QStringList& args, QTextStream& in, QTextStream& out) {
    if (!args.isEmpty()) {
        std::fprintf(stderr, "drill-trace banks: takes no arguments\n");
        return 2;
    }
    for (const Bank* bank : allBanks()) {
        // A fresh record per builder, so that nothing of one bank shows in another.
        const auto s = std::make_unique<DrillState>();
        fillBank(*s, *bank);
        for (int i = 1; i <= s->bankCount; ++i) {
            out << bank->builder << '\t' << i << '\t' << s->bankQuestion[i] << '\t'
                << s->bankAnswer[i] << '\n';
        }
    }
    return 0;
}

} // namespace minamo::trace
