// The sound module: the answer sounds on Qt Multimedia's QSoundEffect. Built as a module of
// its own and loaded by the program after its first paint (see SoundModule).

#include "qt/sound_module.h"

#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <type_traits>

namespace minamo {
namespace {

class QtSoundEffect : public SoundEffect {
public:
    explicit QtSoundEffect(QObject* owner) : effect_(new QSoundEffect(owner)) {}
    ~QtSoundEffect() override { delete effect_.data(); }

    void setSource(const QString& path) override {
        if (effect_ && path != source_) {
            source_ = path;
            effect_->setSource(QUrl::fromLocalFile(path));
        }
    }
    QString source() const override { return source_; }
    bool isLoading() const override {
        return effect_ && effect_->status() == QSoundEffect::Loading;
    }
    void play() override {
        if (effect_) {
            effect_->play();
        }
    }
    void stop() override {
        if (effect_) {
            effect_->stop();
        }
    }

private:
    // Its owner may delete it first, at the end of the program.
    QPointer<QSoundEffect> effect_;
    QString source_;
};

} // namespace
} // namespace minamo

extern "C" Q_DECL_EXPORT minamo::SoundEffect* MINAMO_CREATE_SOUND_EFFECT(QObject* owner) {
    return new minamo::QtSoundEffect(owner);
}
static_assert(std::is_same_v<decltype(&MINAMO_CREATE_SOUND_EFFECT), minamo::CreateSoundEffect>);
