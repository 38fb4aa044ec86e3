#pragma once

#include <QLibrary>
#include <QString>
#include <memory>

class QObject;

namespace minamo {

// One answer sound, played by the sound module. The module (minamo-sound) alone links the
// audio system (libcanberra and, through it, the sound server's client library): the
// program loads it once its idle window has been painted, so that none of that is mapped,
// relocated or connected at start-up.
class SoundEffect {
public:
    virtual ~SoundEffect() = default;
    // Starts loading the WAV file into the sound server unless it is the current one; the
    // load ends later, on the module's own thread.
    virtual void setSource(const QString& path) = 0;
    virtual QString source() const = 0;
    virtual bool isLoading() const = 0;
    // Starts the sound without waiting; one still loading starts when its load ends.
    virtual void play() = 0;
    virtual void stop() = 0;
    // When the sound server last took this sound to play (steady clock, ns), or -1.
    virtual qint64 startedNs() const = 0;
};

// The module's one entry point: a new sound (owner is the window it plays for). The version
// in the name keeps a module of another build from being used.
#define MINAMO_CREATE_SOUND_EFFECT minamo_create_sound_effect_v2
using CreateSoundEffect = SoundEffect* (*)(QObject* owner);
inline constexpr char createSoundEffectSymbol[] = QT_STRINGIFY(MINAMO_CREATE_SOUND_EFFECT);

// The sound module in the program's folder, loaded on the first sound asked for. A module
// that is missing, damaged or of another build leaves every sound silent.
class SoundModule {
public:
    explicit SoundModule(const QString& path) : library_(path) {}
    SoundModule(const SoundModule&) = delete;
    SoundModule& operator=(const SoundModule&) = delete;

    // The module's file name, beside the program.
    static QString fileName();

    // A new sound, or nullptr when the module cannot be used.
    std::unique_ptr<SoundEffect> createEffect(QObject* owner);

private:
    enum class State { NotTried, Loaded, Unusable };
    QLibrary library_;
    State state_ = State::NotTried;
    CreateSoundEffect create_ = nullptr;
};

} // namespace minamo
