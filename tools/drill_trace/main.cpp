#include "trace.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {

constexpr const char* usage = R"(usage: drill-trace <command> [options]

Runs the drill logic without a screen and prints what the window would show.

commands:
  startup            the draw log of the idle window's picture areas
  banks [--fresh SEED]
                     every built-in problem: builder, position, problem, answer (tab-separated);
                     --fresh: the fresh problems of every set for that seed instead, in menu
                     order, the word problems and ratio equations under their generator's
                     name (storySpeed, ...)
  show "<problem>"   the draw log of Picture2 for one problem text
  keys [--log]       key sequences from standard input, one a line, each typed into a fresh
                     answer box: prints answerText, Text4 and answerHead (tab-separated);
                     --log adds Picture3's draw log after every key.
                     Escapes: \b Backspace, \t Tab, \\ backslash, \xNN any code
  solve [--log]      equations from standard input, one a line: the worked solution as
                     Picture7 shows it; --log prints the draw log instead
  stories SEED [--steps] [--tally]
                     the word problems and ratio equations of every set for that seed: a
                     problem's story on one line, its answer, its worked solution indented;
                     --steps adds the window's solving steps, --tally the candidates drawn;
                     not yet proven to fit the window's areas, which the drill's sets are
                     (banks --fresh and working show those)
  working SET SEED N
                     problem N (from 1) of a set's fresh numbers for that seed, as the fresh
                     drill asks it, with the worked solution a miss shows: a heading, the
                     problem, its answer, then the solution's lines (for a word problem: what
                     x is and the equal quantities, the equation and its steps, the check and
                     the answer with its unit). SET is a record title (文章問題1, 文章問題新1,
                     分数応用新1, 方程式基本1), a menu entry's control name (bhhayasa) or a
                     generator's name (storySpeed)
)";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QFile inFile;
    QFile outFile;
    inFile.open(stdin, QIODevice::ReadOnly);
    outFile.open(stdout, QIODevice::WriteOnly);
    QTextStream in(&inFile);
    QTextStream out(&outFile);
    in.setEncoding(QStringConverter::Utf8);
    out.setEncoding(QStringConverter::Utf8);

    if (args.isEmpty() || args.front() == QStringLiteral("--help") ||
        args.front() == QStringLiteral("-h")) {
        out << usage;
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    using Command = int (*)(const QStringList&, QTextStream&, QTextStream&);
    const std::pair<const char*, Command> commands[] = {
        {"startup", minamo::trace::startup}, {"banks", minamo::trace::banks},
        {"show", minamo::trace::show},       {"keys", minamo::trace::keys},
        {"solve", minamo::trace::solve},     {"stories", minamo::trace::stories},
        {"working", minamo::trace::working},
    };
    for (const auto& [name, run] : commands) {
        if (command == QLatin1String(name)) {
            const int status = run(args, in, out);
            out.flush();
            return status;
        }
    }
    std::fprintf(stderr, "drill-trace: unknown command '%s' (see --help)\n", qPrintable(command));
    return 2;
}
