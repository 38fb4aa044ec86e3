// Runs the standard fault drill in the current folder, on the fake window with the real
// files, and stops for good inside the history write at the drill's end, so that a test
// can kill it there:
//
//   history-writer-child at-rename
//       stops as the fully written temporary file is about to be renamed over the family
//       file (the rename system calls are trapped);
//   history-writer-child full-write LIMIT
//       stops when the write reaches LIMIT bytes in a file (the file-size limit stands in
//       for a disk that fills up while the new file is written);
//   history-writer-child end-on-input EXTRA
//       answers EXTRA more problems right (the score is 2 + EXTRA), prints "ready" and ends
//       the drill when a line arrives on standard input: another copy of the program may
//       have written the family file in between.
//
// Prints "stopped" when it has stopped there and then waits to be killed; "finished" if the
// write ran through; "unsupported" (exit code 3) when the trap cannot be set on this system.

#include "drivers/folder_window.h"
#include "platform/key_codes.h"

#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int unsupportedExit = 3;
constexpr int usageExit = 2;

void stopHere(int) {
    static const char stopped[] = "stopped\n";
    [[maybe_unused]] const auto written = ::write(STDOUT_FILENO, stopped, sizeof stopped - 1);
    for (;;) {
        ::pause();
    }
}

#if defined(__x86_64__)
constexpr unsigned auditArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr unsigned auditArch = AUDIT_ARCH_AARCH64;
#else
constexpr unsigned auditArch = 0;
#endif

// Every rename system call of this architecture raises SIGSYS instead of running.
bool trapRenames() {
    if (auditArch == 0) {
        return false;
    }
    const std::vector<unsigned> renames{
#ifdef __NR_rename
        __NR_rename,
#endif
#ifdef __NR_renameat
        __NR_renameat,
#endif
#ifdef __NR_renameat2
        __NR_renameat2,
#endif
    };
    std::vector<sock_filter> filter{
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, auditArch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
    };
    for (const unsigned nr : renames) {
        filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, nr, 0, 1));
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP));
    }
    filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
    std::signal(SIGSYS, stopHere);
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

bool limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, stopHere);
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    limit.rlim_cur = bytes;
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode != "at-rename" && !((mode == "full-write" || mode == "end-on-input") && argc > 2)) {
        std::fprintf(stderr, "usage: %s at-rename | full-write LIMIT | end-on-input EXTRA\n",
                     argv[0]);
        return usageExit;
    }

    minamo::FolderWindow w;
    if (!w.loaded) {
        return usageExit;
    }
    minamo::startStandardDrill(w);

    if (mode == "end-on-input") {
        for (int extra = std::atoi(argv[2]); extra > 0; --extra) {
            minamo::typeKeys(w.form, w.fake, minamo::pupilKeys(w.s().answer[w.s().currentIndex]));
            minamo::pressKey(w.form, w.fake, minamo::key::enter);
        }
        std::printf("ready\n");
        std::fflush(stdout);
        char line[16];
        if (std::fgets(line, sizeof line, stdin) == nullptr) {
            return usageExit;
        }
        minamo::runOutTheClock(w);
        std::printf(w.s().historySaveFailed == 0 ? "saved\n" : "not saved\n");
        return 0;
    }

    const bool trapped = mode == "at-rename"
                             ? trapRenames()
                             : limitFileSize(static_cast<rlim_t>(std::atoll(argv[2])));
    if (!trapped) {
        std::printf("unsupported\n");
        return unsupportedExit;
    }
    minamo::runOutTheClock(w);
    std::printf("finished\n");
    return 0;
}
