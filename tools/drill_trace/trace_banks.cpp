#include "trace.h"

#include "banks/banks.h"
#include "catalogue/catalogue.h"
#include "fresh/fresh_bank.h"

#include <cstdio>
#include <memory>

namespace minamo::trace {

namespace {

void printBank(const Bank& bank, QTextStream& out) {
    // A fresh record per builder, so that nothing of one bank shows in another.
    const auto s = std::make_unique<DrillState>();
    fillBank(*s, bank);
    for (int i = 1; i <= s->bankCount; ++i) {
        out << bank.builder << '\t' << i << '\t' << s->bankQuestion[i] << '\t' << s->bankAnswer[i]
            << '\n';
    }
}

} // namespace

// Every built-in problem, a line each: builder, position, problem text, answer; with
// --fresh SEED the fresh problems of every bank for that seed, in the same columns.
int banks(const QStringList& args, QTextStream& in, QTextStream& out) {
    if (args.isEmpty()) {
        for (const Bank* bank : catalogueBanks()) {
            printBank(*bank, out);
        }
        return 0;
    }
    bool ok = false;
    const std::uint64_t seed =
        args.size() == 2 && args[0] == QStringLiteral("--fresh") ? args[1].toULongLong(&ok) : 0;
    if (!ok) {
        std::fprintf(stderr, "drill-trace banks: takes no arguments, or --fresh SEED (a whole "
                             "number)\n");
        return 2;
    }
    for (const Bank* bank : catalogueBanks()) {
        const auto fresh = makeFreshBank(*bank, seed);
        if (!fresh) {
            out.flush();
            std::fprintf(stderr, "drill-trace banks: no fresh bank of %s: %s\n",
                         qPrintable(bank->builder.toString()), qPrintable(fresh.reason()));
            return 1;
        }
        printBank(fresh->bank(), out);
    }
    return 0;
}

} // namespace minamo::trace
