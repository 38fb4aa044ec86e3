#include "report/report_command.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace minamo {

namespace {

const QString dataFolderName = QStringLiteral("minamo-drill");
const QString pageName = QStringLiteral("report.html");
const QString classPageName = QStringLiteral("class-report.html");
const QString outputOption = QStringLiteral("--output");
const QString classOption = QStringLiteral("--class");
const QString noClassFolder = QStringLiteral("--class のあとにクラスのフォルダーがありません。");

// A folder as the file system names it, links resolved when it exists.
QString placeOf(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

ParsedArguments parseReportArguments(const QStringList& arguments) {
    ReportCommand command;
    std::optional<QString> folder;
    std::optional<QString> classFolder;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            return {.command = ReportCommand{.action = ReportCommand::Action::Help}};
        }
        if (argument == QStringLiteral("--no-open")) {
            command.open = ReportCommand::Open::No;
        } else if (argument == outputOption) {
            if (i + 1 == arguments.size() || arguments[i + 1].isEmpty()) {
                return {.error = QStringLiteral("--output のあとにファイルの名前がありません。")};
            }
            command.output = arguments[++i];
        } else if (argument.startsWith(outputOption + u'=')) {
            command.output = argument.mid(outputOption.size() + 1);
            if (command.output.isEmpty()) {
                return {.error = QStringLiteral("--output のあとにファイルの名前がありません。")};
            }
        } else if (argument == classOption) {
            if (i + 1 == arguments.size() || arguments[i + 1].isEmpty()) {
                return {.error = noClassFolder};
            }
            classFolder = arguments[++i];
        } else if (argument.startsWith(classOption + u'=')) {
            classFolder = argument.mid(classOption.size() + 1);
            if (classFolder->isEmpty()) {
                return {.error = noClassFolder};
            }
        } else if (argument.startsWith(u'-') && argument != QStringLiteral("-")) {
            return {.error = QStringLiteral("%1 という指定はありません。").arg(argument)};
        } else if (folder) {
            return {.error = QStringLiteral("フォルダーは一つだけ指定できます。")};
        } else {
            folder = argument;
        }
    }
    if (classFolder) {
        if (folder) {
            return {.error = QStringLiteral("フォルダーは一つだけ指定できます。")};
        }
        command.scope = ReportCommand::Scope::Class;
        folder = classFolder;
    }
    command.folder = folder.value_or(defaultHistoryFolder());
    if (command.output.isEmpty()) {
        command.output = command.scope == ReportCommand::Scope::Class ? defaultClassReportPath()
                                                                      : defaultReportPath();
    }
    return {.command = command};
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

PageWritten writeReportPage(const QString& path, const QString& html) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        return PageWritten::No;
    }
    QSaveFile file(path);
    const QByteArray bytes = html.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        return PageWritten::No;
    }
    return file.commit() ? PageWritten::Yes : PageWritten::No;
}

} // namespace minamo
