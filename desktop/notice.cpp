#include "desktop/notice.h"

#include "desktop/desktop_open.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace minamo {

namespace {
// A notice nobody closes goes by itself after this.
constexpr std::chrono::minutes noticeLifetime{10};
} // namespace

void showNoticeAside(const QString& program, const QString& title, const QString& text) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!hasDisplay() || platform == QStringLiteral("offscreen") ||
        platform == QStringLiteral("minimal")) {
        return; // no one would see it
    }
    std::fflush(stdout);
    std::fflush(stderr);
    if (::fork() != 0) {
        return;
    }
    ::setsid();
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const int nowhere = ::open("/dev/null", O_RDWR);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        ::dup2(nowhere, fd);
    }
    QByteArray name = program.toLocal8Bit();
    int argc = 1;
    char* argv[] = {name.data(), nullptr};
    QApplication app(argc, argv);
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    QTimer::singleShot(noticeLifetime, &box, &QMessageBox::accept);
    box.exec();
    ::_exit(0);
}

} // namespace minamo
