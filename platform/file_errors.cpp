#include "platform/file_errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace minamo {

namespace {

// Qt's own account of a failed file operation, when errno no longer holds it.
FileStatus statusOfQtError(QFileDevice::FileError error, FileStatus otherwise) {
    switch (error) {
    case QFileDevice::PermissionsError:
        return FileStatus::NoPermission;
    case QFileDevice::ResourceError:
        return FileStatus::NoSpace;
    default:
        return otherwise;
    }
}

} // namespace

FileStatus statusOfError(int error, FileStatus otherwise) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileStatus::Missing;
    case EISDIR:
        return FileStatus::NotAFile;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileStatus::NoPermission;
    case ENOSPC:
    case EDQUOT:
        return FileStatus::NoSpace;
    default:
        return otherwise;
    }
}

FileStatus statusOfFailure(const QFileDevice& file, int error, FileStatus otherwise) {
    const FileStatus fromErrno = statusOfError(error, otherwise);
    return fromErrno != otherwise ? fromErrno : statusOfQtError(file.error(), otherwise);
}

QString reasonOf(FileStatus status) {
    switch (status) {
    case FileStatus::Ok:
        return QStringLiteral("できました");
    case FileStatus::Missing:
        return QStringLiteral("そのファイルかフォルダーがありません");
    case FileStatus::NotAFile:
        return QStringLiteral("そこにはふつうのファイルではないもの（フォルダーなど）があります");
    case FileStatus::NoPermission:
        return QStringLiteral("そのファイルかフォルダーを使う許可がないか、読み取り専用の場所です");
    case FileStatus::ReadFailed:
        return QStringLiteral("ファイルを読みとれませんでした");
    case FileStatus::NoSpace:
        return QStringLiteral("ディスクに空きがありません");
    case FileStatus::WriteFailed:
        return QStringLiteral("ファイルを書きこめませんでした");
    case FileStatus::LockBusy:
        return QStringLiteral("ほかのミナモ塾がファイルを使っていて、待っても空きませんでした");
    case FileStatus::LockUnavailable:
        return QStringLiteral("ファイルのそばにロックのファイルを作れませんでした");
    case FileStatus::NotShiftJis:
        return QStringLiteral("Shift_JIS の文字ではないところがあります");
    case FileStatus::NotEncodable:
        return QStringLiteral("Shift_JIS で書けない文字があります");
    case FileStatus::Unsettled:
        return QStringLiteral("読むたびに中身が変わりました（ほかのコンピューターが書いている"
                              "ところかもしれません）");
    }
    return QStringLiteral("わけのわからない失敗です");
}

FileStatus saveWhole(const QString& path, const std::function<bool(QIODevice&)>& write) {
    if (QFileInfo(path).isDir()) {
        return FileStatus::NotAFile;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return statusOfFailure(file, errno, FileStatus::WriteFailed);
    }
    // A small file stays in QSaveFile's buffer until commit(), which does not notice when
    // writing that buffer out fails (a full disk) and would rename the short file over the
    // old one. Flushing first makes every write error count here.
    errno = 0;
    if (!write(file) || !file.flush()) {
        const FileStatus status = statusOfFailure(file, errno, FileStatus::WriteFailed);
        file.cancelWriting();
        return status;
    }
    if (!file.commit()) {
        return statusOfFailure(file, errno, FileStatus::WriteFailed);
    }
    return FileStatus::Ok;
}

Result<> writeWholeFile(const QString& path, MissingFolder missing,
                        const std::function<bool(QIODevice&)>& write) {
    // A folder that cannot be made is said by the save, with its errno.
    if (missing == MissingFolder::Make) {
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    return resultOf(saveWhole(path, write));
}

Result<> resultOf(FileStatus status) {
    if (status == FileStatus::Ok) {
        return {};
    }
    return Failure{reasonOf(status)};
}

} // namespace minamo
