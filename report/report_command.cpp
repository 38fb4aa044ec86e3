#include "report/report_command.h"

#include "command_line/command_line.h"
#include "platform/file_errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace minamo {

namespace {

const QString dataFolderName = QStringLiteral("minamo-drill");
const QString pageName = QStringLiteral("report.html");
const QString classPageName = QStringLiteral("class-report.html");
const OptionRule classOption{.name = QStringLiteral("--class"),
                             .value = OptionRule::Value::Required,
                             .valueNoun = QStringLiteral("クラスのフォルダー")};

// A folder as the file system names it, links resolved when it exists.
QString placeOf(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

Result<ReportCommand> parseReportArguments(const QStringList& arguments) {
    const OptionRule known[] = {option::help, option::output, option::noOpen, classOption};
    const Result<CommandLine> line = readCommandLine(arguments, known);
    if (!line) {
        return Failure{line.reason()};
    }
    if (line->has(option::help)) {
        return ReportCommand{.action = ReportCommand::Action::Help};
    }
    if (line->arguments.size() + (line->has(classOption) ? 1 : 0) > 1) {
        return Failure{QStringLiteral("フォルダーは一つだけ指定できます。")};
    }
    ReportCommand command;
    command.open = line->has(option::noOpen) ? ReportCommand::Open::No : ReportCommand::Open::Yes;
    command.output = line->value(option::output).value_or(QString());
    std::optional<QString> folder;
    if (line->has(classOption)) {
        command.scope = ReportCommand::Scope::Class;
        folder = line->value(classOption);
    } else if (!line->arguments.isEmpty()) {
        folder = line->arguments.front();
    }
    command.folder = folder.value_or(defaultHistoryFolder());
    if (command.output.isEmpty()) {
        command.output = command.scope == ReportCommand::Scope::Class ? defaultClassReportPath()
                                                                      : defaultReportPath();
    }
    return command;
}

QString reportUsage() {
    return QStringLiteral("使い方: minamo-report [フォルダー] [--output ファイル] [--no-open]\n"
                          "        minamo-report --class クラスのフォルダー [--output ファイル] "
                          "[--no-open]\n"
                          "\n"
                          "記録のフォルダーにある記録のファイル（方程式基本.txt など）を読み、\n"
                          "セットごとの得点のうつりかわりを1枚のページ（HTML）に書いて、ブラウザー"
                          "で開きます。\n"
                          "--class では、クラスのフォルダーの中の生徒ごとのフォルダーをすべて読み、"
                          "\nクラスの一覧を1枚のページにします。\n"
                          "記録のファイルには何も書きません。\n"
                          "\n"
                          "  フォルダー          記録のフォルダー（ふだんは %1）\n"
                          "  --class フォルダー  クラスのフォルダー（生徒ひとりにつき一つの記録の"
                          "フォルダーが入ったもの）\n"
                          "  --output ファイル   ページを書く場所（ふだんは %2、\n"
                          "                      クラスのページは %3）\n"
                          "  --no-open           ページを書くだけで、ブラウザーでは開かない\n"
                          "  --help              この説明を出す\n")
        .arg(QDir::toNativeSeparators(defaultHistoryFolder()),
             QDir::toNativeSeparators(defaultReportPath()),
             QDir::toNativeSeparators(defaultClassReportPath()));
}

QString defaultHistoryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' +
           dataFolderName;
}

QString defaultReportPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u'/' +
           dataFolderName + u'/' + pageName;
}

QString defaultClassReportPath() {
    return QFileInfo(defaultReportPath()).absolutePath() + u'/' + classPageName;
}

bool isInsideFolder(const QString& output, const QString& folder) {
    const QString page = placeOf(QFileInfo(output).absolutePath());
    const QString history = placeOf(folder);
    const QString below = history.endsWith(u'/') ? history : history + u'/';
    return page == history || page.startsWith(below);
}

Result<> writeReportPage(const QString& path, const QString& html) {
    const QByteArray bytes = html.toUtf8();
    return writeWholeFile(path, MissingFolder::Make,
                          [&](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

} // namespace minamo
