#pragma once

// What a failed file operation means, from the system call's errno to the words a person
// reads: the one mapping every file service and every program uses.

#include "platform/platform.h"
#include "platform/result.h"

#include <functional>

class QFileDevice;
class QIODevice;

namespace minamo {

// What a failed system call's errno says, or otherwise when it says nothing more precise.
FileStatus statusOfError(int error, FileStatus otherwise);
// The same for a failed QFile or QSaveFile, whose own account is taken when errno says
// nothing more precise.
FileStatus statusOfFailure(const QFileDevice& file, int error, FileStatus otherwise);

// The status in words a person can act on, in Japanese: "ディスクに空きがありません".
QString reasonOf(FileStatus status);
// Done, or failed for that reason.
Result<> resultOf(FileStatus status);

// Writes a file whole or not at all (QSaveFile): `write` fills the open file and says whether
// that went well. Every step that fails says why, from errno.
FileStatus saveWhole(const QString& path, const std::function<bool(QIODevice&)>& write);
// The same, making the file's folder first when it is missing and asked to.
enum class MissingFolder { Make, Fail };
Result<> writeWholeFile(const QString& path, MissingFolder missing,
                        const std::function<bool(QIODevice&)>& write);

} // namespace minamo
