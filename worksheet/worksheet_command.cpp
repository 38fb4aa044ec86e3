#include "worksheet/worksheet_command.h"

#include "command_line/command_line.h"

#include "stories/fresh_set.h"
#include "worksheet/worksheet.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace minamo {

namespace {

const OptionRule listOption{.name = QStringLiteral("--list")};

} // namespace

Result<WorksheetCommand> parseWorksheetArguments(const QStringList& arguments) {
    const OptionRule known[] = {option::help, listOption, option::noOpen, option::fresh,
                                option::output};
    const Result<CommandLine> line = readCommandLine(arguments, known);
    if (!line) {
        return Failure{line.reason()};
    }
    if (line->has(option::help)) {
        return WorksheetCommand{.action = WorksheetCommand::Action::Help};
    }
    if (line->arguments.size() > 1) {
        return Failure{QStringLiteral("セットは一つだけ指定できます。")};
    }
    const Result<FreshChoice> fresh = freshChoice(*line);
    if (!fresh) {
        return Failure{fresh.reason()};
    }
    if (line->has(listOption)) {
        return WorksheetCommand{.action = WorksheetCommand::Action::List};
    }
    WorksheetCommand command{.action = WorksheetCommand::Action::Sheet,
                             .setName = line->arguments.value(0),
                             .numbers = fresh->fresh ? Numbers::Fresh : Numbers::Bank,
                             .seed = fresh->seed,
                             .output = line->value(option::output).value_or(QString()),
                             .open = line->has(option::noOpen) ? WorksheetCommand::Open::No
                                                               : WorksheetCommand::Open::Yes};
    if (command.setName.isEmpty()) {
        if (fresh->fresh || line->has(option::output) || line->has(option::noOpen)) {
            return Failure{QStringLiteral("プリントにするセットの名前がありません（セットの"
                                          "一覧: minamo-worksheet --list）。")};
        }
        return WorksheetCommand{.action = WorksheetCommand::Action::Window};
    }
    return command;
}

QString worksheetUsage() {
    return QStringLiteral(
        "使い方: minamo-worksheet [セット] [--fresh[=SEED]] [--output ファイル] [--no-open]\n"
        "        minamo-worksheet --list\n"
        "\n"
        "セットの問題を A4 のプリント（PDF）にします。問題のページのあとに、答えと解き方の"
        "ページがつきます。\n"
        "セットを指定しないと、セットをえらぶ小さなウィンドウが開きます。\n"
        "\n"
        "  セット              記録の名前から .txt をとったもの（例: 方程式分数2）。\n"
        "                      文章問題と分数応用は新しい数の問題だけ（--fresh をつける）\n"
        "  --fresh             新しい数の問題にする（毎回ちがう数）\n"
        "  --fresh=SEED        新しい数の問題を、この数（0 以上の整数）から作る\n"
        "  --output ファイル   PDF を書く場所（ふだんはドキュメントのフォルダーに、"
        "セットの名前と日付で）\n"
        "  --no-open           書くだけで、ビューアーでは開かない\n"
        "  --list              セットの名前とメニューでの場所を出す\n"
        "  --help              この説明を出す\n");
}

const CatalogueEntry* sheetSet(QStringView setName) {
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.choosable(Numbers::Fresh) && setNameOf(entry) == setName) {
            return &entry;
        }
    }
    return nullptr;
}

QString setList() {
    QString text;
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.choosable(Numbers::Fresh)) {
            text += setNameOf(entry) + u'\t' + menuPath(entry) +
                    (entry.choosable(Numbers::Bank) ? QString()
                                                    : QStringLiteral("（新しい数のみ: --fresh）")) +
                    u'\n';
        }
    }
    return text;
}

QString unknownSetMessage(const QString& setName) {
    return QStringLiteral("「%1」というセットはありません。セットの名前は "
                          "minamo-worksheet --list で見られます。")
        .arg(setName);
}

QString freshOnlyMessage(const CatalogueEntry& entry) {
    return QStringLiteral("「%1」（%2）は新しい数の問題だけのセットです。--fresh をつけて"
                          "ください（例: minamo-worksheet %1 --fresh）。")
        .arg(setNameOf(entry), menuPath(entry));
}

QString defaultSheetPath(const CatalogueEntry& entry, Numbers numbers, std::uint64_t seed,
                         QDate date) {
    QString name =
        recordNameFor(entry, numbers).title() + u'_' + date.toString(QStringLiteral("yyyy-MM-dd"));
    if (numbers == Numbers::Fresh) {
        name += u'_' + QString::number(seed);
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath();
    }
    return folder + u'/' + name + QStringLiteral(".pdf");
}

Result<SheetBank> bankToPrint(const CatalogueEntry& entry, Numbers numbers, std::uint64_t seed) {
    if (!entry.choosable(numbers)) {
        return Failure{numbers == Numbers::Bank
                           ? freshOnlyMessage(entry)
                           : QStringLiteral("「%1」はえらべないセットです。").arg(menuPath(entry))};
    }
    if (numbers == Numbers::Bank) {
        return SheetBank(entry.bank, std::nullopt);
    }
    Result<FreshBank> fresh = makeFreshSet(entry, seed);
    if (!fresh) {
        return Failure{freshFailureMessage(entry, fresh.reason())};
    }
    return SheetBank(entry.bank, std::move(*fresh));
}

} // namespace minamo
