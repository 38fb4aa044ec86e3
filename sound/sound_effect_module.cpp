// The sound module: the answer sounds through libcanberra, the desktop's library for event
// sounds. Built as a module of its own and loaded by the program after its first paint (see
// SoundModule).
//
// Each sound is uploaded once into the sound server's own sample cache and then played by
// the server itself, whole, on the output the desktop has chosen as default at that moment.
// Qt Multimedia's QSoundEffect, used before, played its own stream on the server's first
// output and stopped it before the server had played its last 50–120 ms.
//
// Every call into libcanberra runs on one thread of the module's own: a sound server that is
// slow or gone holds up that thread, never the drill.

#include "sound/sound_module.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <atomic>
#include <canberra.h>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <type_traits>

namespace minamo {
namespace {

qint64 steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The one connection to the sound server, shared by every sound, with the thread that
// talks to it.
class SoundServer {
public:
    using Job = std::function<void(SoundServer&)>;

    static std::shared_ptr<SoundServer> shared() {
        static std::mutex guard;
        static std::weak_ptr<SoundServer> current;
        const std::lock_guard lock(guard);
        std::shared_ptr<SoundServer> server = current.lock();
        if (!server) {
            server = std::make_shared<SoundServer>();
            current = server;
        }
        return server;
    }

    SoundServer() : thread_([this] { run(); }) {}
    ~SoundServer() {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    void post(Job job) {
        {
            const std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        wake_.notify_one();
    }

    // The context, connected on first use and again after the server went away; nothing
    // while there is no server to play on. Only on the module's thread.
    ca_context* context() {
        if (context_) {
            return context_;
        }
        ca_context* made = nullptr;
        int result = ca_context_create(&made);
        if (result == CA_SUCCESS) {
            result = ca_context_change_props(
                made, CA_PROP_APPLICATION_NAME, "ミナモ塾", CA_PROP_APPLICATION_ID, "minamo-drill",
                CA_PROP_APPLICATION_ICON_NAME, "minamo-drill", nullptr);
        }
        if (result == CA_SUCCESS) {
            result = ca_context_open(made);
        }
        if (result != CA_SUCCESS) {
            report(result);
            if (made) {
                ca_context_destroy(made);
            }
            return nullptr;
        }
        context_ = made;
        return context_;
    }

    // A call that failed: said once per kind of failure; a lost connection is made again at
    // the next sound.
    void failed(int result) {
        report(result);
        if (result == CA_ERROR_DISCONNECTED || result == CA_ERROR_STATE) {
            ca_context_destroy(context_);
            context_ = nullptr;
        }
    }

private:
    void report(int result) {
        if (reported_.insert(result).second) {
            qWarning("minamo-drill: no sound: %s", ca_strerror(result));
        }
    }

    void run() {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return quit_ || !jobs_.empty(); });
                // At the end of the program what is still queued is dropped: a slow server
                // then holds up the exit by the one call under way at most.
                if (quit_) {
                    break;
                }
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job(*this);
        }
        if (context_) {
            ca_context_destroy(context_);
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool quit_ = false;
    ca_context* context_ = nullptr;
    std::set<int> reported_;
    std::thread thread_; // last: it starts once everything above is there
};

// What a sound's jobs need of it, kept apart so that jobs still queued when the sound goes
// find it intact.
struct SoundState {
    std::atomic<int> loading{0};
    std::atomic<qint64> startedNs{-1};
};

class CanberraSound : public SoundEffect {
public:
    CanberraSound() : server_(SoundServer::shared()), state_(std::make_shared<SoundState>()) {
        static std::atomic<std::uint32_t> lastId{0};
        id_ = ++lastId;
    }

    void setSource(const QString& path) override {
        if (path == source_) {
            return;
        }
        source_ = path;
        const QFileInfo info(path);
        // The server keeps a sample under its name for as long as it runs: the name says
        // which file, as it is now, so that a changed file is uploaded afresh.
        eventId_ = QStringLiteral("minamo-drill-%1-%2-%3")
                       .arg(info.completeBaseName())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch())
                       .toUtf8();
        file_ = QFile::encodeName(path);
        ++state_->loading;
        server_->post([eventId = eventId_, file = file_, state = state_](SoundServer& server) {
            if (ca_context* context = server.context()) {
                const int result =
                    ca_context_cache(context, CA_PROP_EVENT_ID, eventId.constData(),
                                     CA_PROP_MEDIA_FILENAME, file.constData(), nullptr);
                if (result != CA_SUCCESS) {
                    server.failed(result);
                }
            }
            --state->loading;
        });
    }
    QString source() const override { return source_; }
    bool isLoading() const override { return state_->loading > 0; }

    void play() override {
        if (file_.isEmpty()) {
            return;
        }
        server_->post(
            [id = id_, eventId = eventId_, file = file_, state = state_](SoundServer& server) {
                ca_context* context = server.context();
                if (!context) {
                    return;
                }
                // Played from the server's cache, uploaded now if the preload has not done it.
                const int result = ca_context_play(
                    context, id, CA_PROP_EVENT_ID, eventId.constData(), CA_PROP_MEDIA_FILENAME,
                    file.constData(), CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
                if (result == CA_SUCCESS) {
                    state->startedNs = steadyNs();
                } else {
                    server.failed(result);
                }
            });
    }

    void stop() override {
        server_->post([id = id_](SoundServer& server) {
            if (ca_context* context = server.context()) {
                ca_context_cancel(context, id);
            }
        });
    }

    qint64 startedNs() const override { return state_->startedNs; }

private:
    std::shared_ptr<SoundServer> server_;
    std::shared_ptr<SoundState> state_;
    std::uint32_t id_ = 0;
    QString source_;
    QByteArray eventId_;
    QByteArray file_;
};

} // namespace
} // namespace minamo

extern "C" Q_DECL_EXPORT minamo::SoundEffect* MINAMO_CREATE_SOUND_EFFECT(QObject*) {
    return new minamo::CanberraSound();
}
static_assert(std::is_same_v<decltype(&MINAMO_CREATE_SOUND_EFFECT), minamo::CreateSoundEffect>);
