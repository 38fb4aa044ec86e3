#include "worksheet/worksheet_command.h"

#include "worksheet/worksheet.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace minamo {

namespace {

const QString freshOption = QStringLiteral("--fresh");
const QString outputOption = QStringLiteral("--output");
const QString noOutputName = QStringLiteral("--output のあとにファイルの名前がありません。");

ParsedWorksheetCommand failure(const QString& error) {
    return {.command = std::nullopt, .error = error};
}

} // namespace

ParsedWorksheetCommand parseWorksheetArguments(const QStringList& arguments) {
    WorksheetCommand command;
    bool fresh = false;
    bool list = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            return {.command = WorksheetCommand{.action = WorksheetCommand::Action::Help}};
        }
        if (argument == QStringLiteral("--list")) {
            list = true;
        } else if (argument == QStringLiteral("--no-open")) {
            command.open = WorksheetCommand::Open::No;
        } else if (argument == freshOption) {
            fresh = true;
        } else if (argument.startsWith(freshOption + u'=')) {
            const std::optional<std::uint64_t> seed =
                parseSeed(argument.mid(freshOption.size() + 1));
            if (!seed) {
                return failure(QStringLiteral("%1 の数が正しくありません（0 以上の整数を書いて"
                                              "ください）。")
                                   .arg(argument));
            }
            fresh = true;
            command.seed = *seed;
        } else if (argument == outputOption) {
            if (i + 1 == arguments.size() || arguments[i + 1].isEmpty()) {
                return failure(noOutputName);
            }
            command.output = arguments[++i];
        } else if (argument.startsWith(outputOption + u'=')) {
            command.output = argument.mid(outputOption.size() + 1);
            if (command.output.isEmpty()) {
                return failure(noOutputName);
            }
        } else if (argument.startsWith(u'-')) {
            return failure(QStringLiteral("%1 という指定はありません。").arg(argument));
        } else if (!command.setName.isEmpty()) {
            return failure(QStringLiteral("セットは一つだけ指定できます。"));
        } else {
            command.setName = argument;
        }
    }
    if (list) {
        return {.command = WorksheetCommand{.action = WorksheetCommand::Action::List}};
    }
    if (command.setName.isEmpty()) {
        if (fresh || !command.output.isEmpty() || command.open == WorksheetCommand::Open::No) {
            return failure(QStringLiteral("プリントにするセットの名前がありません（セットの"
                                          "一覧: minamo-worksheet --list）。"));
        }
        return {.command = WorksheetCommand{.action = WorksheetCommand::Action::Window}};
    }
    command.action = WorksheetCommand::Action::Sheet;
    command.numbers = fresh ? Numbers::Fresh : Numbers::Bank;
    return {.command = command};
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
        "  セット              記録の名前から .txt をとったもの（例: 方程式分数2）\n"
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
        if (entry.choosable() && setNameOf(entry) == setName) {
            return &entry;
        }
    }
    return nullptr;
}

QString setList() {
    QString text;
    for (const CatalogueEntry& entry : catalogue()) {
        if (entry.choosable()) {
            text += setNameOf(entry) + u'\t' + menuPath(entry) + u'\n';
        }
    }
    return text;
}

QString unknownSetMessage(const QString& setName) {
    return QStringLiteral("「%1」というセットはありません。セットの名前は "
                          "minamo-worksheet --list で見られます。")
        .arg(setName);
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

QString unwritableReason(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) {
        return QStringLiteral("同じ名前のフォルダーがあります");
    }
    if (!QFileInfo(file.absolutePath()).isDir()) {
        return QStringLiteral("フォルダーがありません");
    }
    return QStringLiteral("書きこむ許可がないか、ディスクがいっぱいです");
}

std::optional<SheetBank> bankToPrint(const CatalogueEntry& entry, Numbers numbers,
                                     std::uint64_t seed) {
    if (numbers == Numbers::Bank) {
        return SheetBank(entry.bank, std::nullopt);
    }
    std::optional<FreshBank> fresh = makeFreshBank(*entry.bank, seed);
    if (!fresh) {
        return std::nullopt;
    }
    return SheetBank(entry.bank, std::move(fresh));
}

} // namespace minamo
