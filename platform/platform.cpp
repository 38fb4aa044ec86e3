#include "platform/platform.h"

namespace minamo {

namespace {
template <typename T> T& either(T* substitute, T& own) {
    return substitute ? *substitute : own;
}
} // namespace

const char* fileStatusText(FileStatus status) {
    switch (status) {
    case FileStatus::Ok:
        return "done";
    case FileStatus::Missing:
        return "no such file or folder";
    case FileStatus::NotAFile:
        return "not a plain file";
    case FileStatus::NoPermission:
        return "permission denied or read-only file system";
    case FileStatus::ReadFailed:
        return "reading failed";
    case FileStatus::NoSpace:
        return "no space left on the disk";
    case FileStatus::WriteFailed:
        return "writing failed";
    case FileStatus::LockBusy:
        return "another copy held the lock too long";
    case FileStatus::LockUnavailable:
        return "no lock file could be made";
    case FileStatus::NotShiftJis:
        return "not Shift_JIS text";
    case FileStatus::NotEncodable:
        return "a character has no Shift_JIS form";
    case FileStatus::Unsettled:
        return "its contents kept changing from one read to the next";
    }
    return "unknown";
}

Platform substituted(const Platform& p, const Substitutes& with) {
    return Platform{
        .picture1 = either(with.picture1, p.picture1),
        .picture2 = either(with.picture2, p.picture2),
        .picture3 = either(with.picture3, p.picture3),
        .picture4 = p.picture4,
        .picture5 = p.picture5,
        .picture7 = p.picture7,
        .text1 = p.text1,
        .text2 = either(with.text2, p.text2),
        .text4 = either(with.text4, p.text4),
        .text5 = p.text5,
        .text6 = p.text6,
        .label2 = p.label2,
        .label3 = p.label3,
        .label4 = p.label4,
        .label5 = p.label5,
        .label12 = p.label12,
        .label13 = p.label13,
        .label14 = p.label14,
        .command1 = p.command1,
        .command2 = p.command2,
        .command3 = p.command3,
        .timer1 = p.timer1,
        .mmControl1 = p.mmControl1,
        .mmControl2 = p.mmControl2,
        .form1 = p.form1,
        .messageBox = p.messageBox,
        .files = p.files,
        .clock = p.clock,
        .random = p.random,
        .instanceLock = p.instanceLock,
    };
}

} // namespace minamo
