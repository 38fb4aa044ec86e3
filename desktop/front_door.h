#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

namespace minamo {

// How a later start reaches the running copy: a local socket in the runtime folder, beside
// the single-copy lock. The running copy opens it; a later start knocks and ends, and the
// running copy comes to the front. Needs the event loop of the thread that opened it.
class FrontDoor {
public:
    explicit FrontDoor(QString path = defaultPath());
    ~FrontDoor();
    FrontDoor(const FrontDoor&) = delete;
    FrontDoor& operator=(const FrontDoor&) = delete;
    static QString defaultPath();

    // The running copy, holding the single-copy lock: every knock calls knocked.
    bool open(std::function<void()> knocked);
    // A later start: asks the running copy to come to the front, waiting a moment for one
    // that is still starting. False when no copy answers.
    static bool knock(const QString& path = defaultPath());

private:
    void accept();
    void readFrom(int fd);

    QString path_;
    int listening_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<int, std::unique_ptr<QSocketNotifier>> callers_;
    std::function<void()> knocked_;
};

} // namespace minamo
