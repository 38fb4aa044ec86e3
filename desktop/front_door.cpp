#include "desktop/front_door.h"

#include "system/system_services.h"

#include <QFile>
#include <QObject>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace minamo {

namespace {

// What a later start says at the door.
constexpr char knockWord[] = "front\n";
// A copy that has just taken the single-copy lock opens its door within milliseconds.
constexpr int knockTries = 25;
constexpr int knockRetryMs = 20;

// A local socket address for path, or nothing when the path is too long for one.
std::optional<sockaddr_un> addressOf(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return address;
}

} // namespace

FrontDoor::FrontDoor(QString path) : path_(std::move(path)) {}

FrontDoor::~FrontDoor() {
    callers_.clear();
    notifier_.reset();
    if (listening_ >= 0) {
        ::close(listening_);
        ::unlink(QFile::encodeName(path_).constData());
    }
}

QString FrontDoor::defaultPath() {
    const QString lock = LockFileInstance::defaultPath();
    return lock.left(lock.lastIndexOf(u'.')) + QStringLiteral(".door");
}

bool FrontDoor::open(std::function<void()> knocked) {
    const auto address = addressOf(path_);
    if (!address || listening_ >= 0) {
        return false;
    }
    knocked_ = std::move(knocked);
    listening_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listening_ < 0) {
        return false;
    }
    // Whoever holds the single-copy lock owns the door: a socket file left by a copy that
    // died is replaced.
    ::unlink(address->sun_path);
    if (::bind(listening_, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::chmod(address->sun_path, 0600) != 0 || ::listen(listening_, SOMAXCONN) != 0) {
        ::close(listening_);
        listening_ = -1;
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(listening_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { accept(); });
    return true;
}

void FrontDoor::accept() {
    for (;;) {
        const int fd = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this, fd] { readFrom(fd); });
        callers_[fd] = std::move(notifier);
    }
}

void FrontDoor::readFrom(int fd) {
    char word[sizeof knockWord] = {};
    const ssize_t got = ::recv(fd, word, sizeof word - 1, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    // One word, then the caller is done with: whatever else comes is not listened to.
    callers_.erase(fd);
    ::close(fd);
    if (got == static_cast<ssize_t>(sizeof knockWord - 1) && std::strcmp(word, knockWord) == 0 &&
        knocked_) {
        knocked_();
    }
}

bool FrontDoor::knock(const QString& path) {
    const auto address = addressOf(path);
    if (!address) {
        return false;
    }
    for (int attempt = 0; attempt < knockTries; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            return false;
        }
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) {
            const auto length = static_cast<ssize_t>(sizeof knockWord - 1);
            const bool said = ::send(fd, knockWord, sizeof knockWord - 1, MSG_NOSIGNAL) == length;
            ::close(fd);
            return said;
        }
        const int error = errno;
        ::close(fd);
        if (error != ENOENT && error != ECONNREFUSED) {
            return false;
        }
        QThread::msleep(knockRetryMs);
    }
    return false;
}

} // namespace minamo
