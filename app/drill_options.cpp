#include "app/drill_options.h"

#include "command_line/command_line.h"

namespace minamo {

QString drillUsage() {
    return QStringLiteral("使い方: minamo-drill [--fresh[=SEED]]\n"
                          "  --fresh       新しい数の問題で練習する（毎回ちがう数）\n"
                          "  --fresh=SEED  新しい数の問題を、この数（0 以上の整数）から作る\n"
                          "  --help        この説明\n");
}

Result<DrillOptions> parseDrillOptions(const QStringList& arguments, std::uint64_t clockSeed) {
    const OptionRule known[] = {option::fresh};
    const Result<CommandLine> line = readCommandLine(arguments, known);
    if (!line) {
        return Failure{line.reason()};
    }
    if (!line->arguments.isEmpty()) {
        return Failure{QStringLiteral("%1 という指定はありません。").arg(line->arguments.front())};
    }
    const Result<FreshChoice> fresh = freshChoice(*line);
    if (!fresh) {
        return Failure{fresh.reason()};
    }
    DrillOptions options;
    if (fresh->fresh) {
        options.numbers = Numbers::Fresh;
        options.seed = fresh->seed.value_or(clockSeed);
    }
    return options;
}

} // namespace minamo
