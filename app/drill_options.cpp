#include "app/drill_options.h"

namespace minamo {

namespace {
const QString freshOption = QStringLiteral("--fresh");
} // namespace

QString drillUsage() {
    return QStringLiteral("使い方: minamo-drill [--fresh[=SEED]]\n"
                          "  --fresh       新しい数の問題で練習する（毎回ちがう数）\n"
                          "  --fresh=SEED  新しい数の問題を、この数（0 以上の整数）から作る\n"
                          "  --help        この説明\n");
}

ParsedOptions parseDrillOptions(const QStringList& arguments, std::uint64_t clockSeed) {
    DrillOptions options;
    for (const QString& argument : arguments) {
        if (argument == freshOption) {
            options.numbers = Numbers::Fresh;
            options.seed = clockSeed;
            continue;
        }
        if (argument.startsWith(freshOption + u'=')) {
            const std::optional<std::uint64_t> seed =
                parseSeed(argument.mid(freshOption.size() + 1));
            if (!seed) {
                return {.options = std::nullopt,
                        .error = QStringLiteral("minamo-drill: %1 の数が正しくありません（0 以上の"
                                                "整数を書いてください）")
                                     .arg(argument)};
            }
            options.numbers = Numbers::Fresh;
            options.seed = *seed;
            continue;
        }
        return {.options = std::nullopt,
                .error = QStringLiteral("minamo-drill: 知らないオプションです: %1").arg(argument)};
    }
    return {.options = options, .error = {}};
}

} // namespace minamo
