#include "desktop/desktop_open.h"

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

Result<> openOnDesktop(const QString& path) {
    if (!hasDisplay()) {
        return Failure{QStringLiteral("画面がありません")};
    }
    const QByteArray file = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    char opener[] = "xdg-open";
    char* argv[] = {opener, const_cast<char*>(file.constData()), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ) != 0) {
        return Failure{QStringLiteral("ファイルを開く xdg-open がありません")};
    }
    const auto deadline = std::chrono::steady_clock::now() + handOver;
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            return {};
        }
        if (ended != 0) {
            break; // it failed, or was lost
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return {}; // still showing the file itself
        }
        std::this_thread::sleep_for(poll);
    }
    return Failure{QStringLiteral("xdg-open が開けませんでした。開くプログラムが決まっていない"
                                  "のかもしれません")};
}

} // namespace minamo
