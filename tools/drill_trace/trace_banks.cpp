#include "trace.h"

#include "banks/banks.h"
#include "catalogue/catalogue.h"
#include "fresh/fresh_bank.h"
#include "stories/fresh_set.h"

#include <cstdio>
#include <memory>
#include <set>

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
// --fresh SEED the fresh problems of every set fresh numbers can ask for that seed, in the
// same columns and in menu order: a bank once however many entries ask it, a set only fresh
// numbers ask (word problems, ratio equations) under its generator's name ("storySpeed").
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
    // Entries that ask one bank share its fresh bank, as in the drill. A set that cannot be
    // made is reported and the others still printed.
    std::set<QString> printed;
    int status = 0;
    for (const CatalogueEntry& entry : catalogue()) {
        if (!entry.choosable(Numbers::Fresh)) {
            continue;
        }
        const QString maker = entry.maker().toString();
        if (!printed.insert(maker).second) {
            continue;
        }
        const auto fresh = makeFreshSet(entry, seed);
        if (!fresh) {
            out.flush();
            std::fprintf(stderr, "drill-trace banks: no fresh set of %s: %s\n", qPrintable(maker),
                         qPrintable(fresh.reason()));
            status = 1;
            continue;
        }
        printBank(fresh->bank(), out);
    }
    return status;
}

} // namespace minamo::trace
