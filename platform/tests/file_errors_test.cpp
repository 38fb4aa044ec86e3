#include "fake/qstring_printer.h"
#include "platform/file_errors.h"
#include "platform/leftover_files.h"

#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace minamo {
namespace {

TEST(FileErrors, ErrnoMeansWhatThePersonIsTold) {
    const struct {
        int error;
        FileStatus status;
    } table[] = {
        {ENOENT, FileStatus::Missing},     {ENOTDIR, FileStatus::Missing},
        {EISDIR, FileStatus::NotAFile},    {EACCES, FileStatus::NoPermission},
        {EPERM, FileStatus::NoPermission}, {EROFS, FileStatus::NoPermission},
        {ENOSPC, FileStatus::NoSpace},     {EDQUOT, FileStatus::NoSpace},
        {EIO, FileStatus::WriteFailed},    {0, FileStatus::WriteFailed},
    };
    for (const auto& row : table) {
        EXPECT_EQ(statusOfError(row.error, FileStatus::WriteFailed), row.status) << row.error;
    }
    // Every status has words of its own, and only Ok is no failure.
    QSet<QString> reasons;
    for (int s = static_cast<int>(FileStatus::Ok); s <= static_cast<int>(FileStatus::Unsettled);
         ++s) {
        const auto status = static_cast<FileStatus>(s);
        reasons.insert(reasonOf(status));
        EXPECT_EQ(resultOf(status).ok(), status == FileStatus::Ok);
    }
    EXPECT_EQ(reasons.size(), static_cast<int>(FileStatus::Unsettled) + 1);
}

// A real save into a folder that is not there says so.
TEST(FileErrors, AFailedSaveFileSaysWhy) {
    QTemporaryDir dir;
    QSaveFile file(dir.filePath(QStringLiteral("gone/page.html")));
    ASSERT_FALSE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(statusOfFailure(file, errno, FileStatus::WriteFailed), FileStatus::Missing);
}

TEST(LeftoverFiles, OnlyQSaveFilesOwnNamesAreLeftovers) {
    const QString name = QStringLiteral("方程式基本.txt");
    const struct {
        const char* candidate;
        bool leftover;
    } table[] = {
        {"方程式基本.txt.aBcDeF", true},   {"方程式基本.txt.xYzzyQ", true},
        {"方程式基本.txt.backup", false},  {"方程式基本.txt.BACKUP", false},
        {"方程式基本.txt.Backup", false},  {"方程式基本.txt.aBcDe", false},
        {"方程式基本.txt.aBcDeFg", false}, {"方程式基本.txt.aBc1eF", false},
        {"方程式標準.txt.aBcDeF", false},  {"方程式基本.txtXaBcDeF", false},
    };
    for (const auto& row : table) {
        EXPECT_EQ(isSaveFileLeftOver(QString::fromUtf8(row.candidate), name), row.leftover)
            << row.candidate;
    }
}

} // namespace
} // namespace minamo
