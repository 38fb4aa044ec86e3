#include "platform/desktop_open.h"

#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace minamo {

namespace {
// xdg-open hands the file on and ends; one still running after this is showing it itself
// (a program it started in its own place) and is left to it.
constexpr std::chrono::seconds handOver{20};
constexpr std::chrono::milliseconds poll{20};
} // namespace

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

Opened openOnDesktop(const QString& path) {
    const QByteArray file = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    char opener[] = "xdg-open";
    char* argv[] = {opener, const_cast<char*>(file.constData()), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ) != 0) {
        return Opened::NoOpener;
    }
    const auto deadline = std::chrono::steady_clock::now() + handOver;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Opened::Yes : Opened::No;
        }
        if (ended < 0) {
            return Opened::No;
        }
        std::this_thread::sleep_for(poll);
    }
    return Opened::Yes;
}

} // namespace minamo
