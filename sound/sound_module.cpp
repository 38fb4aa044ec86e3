#include "sound/sound_module.h"

#include <QtGlobal>

namespace minamo {

QString SoundModule::fileName() {
    return QStringLiteral(MINAMO_SOUND_MODULE_FILE);
}

std::unique_ptr<SoundEffect> SoundModule::createEffect(QObject* owner) {
    if (state_ == State::NotTried) {
        // Never unloaded: the sounds it made live until the window goes.
        if (!library_.load()) {
            qWarning("minamo-drill: no sounds: %s", qPrintable(library_.errorString()));
        } else {
            create_ =
                reinterpret_cast<CreateSoundEffect>(library_.resolve(createSoundEffectSymbol));
            if (!create_) {
                qWarning("minamo-drill: no sounds: %s is not this build's sound module",
                         qPrintable(library_.fileName()));
            }
        }
        state_ = create_ ? State::Loaded : State::Unusable;
    }
    return create_ ? std::unique_ptr<SoundEffect>(create_(owner)) : nullptr;
}

} // namespace minamo
