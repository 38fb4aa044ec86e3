#include "app/countdown.h"

namespace minamo {

QString soundPath(const QString& folder, const QString& file) {
    return folder.endsWith(u'/') ? folder + file : folder + QStringLiteral("/") + file;
}

void timer1Tick(Drill& d) {}

void endDrill(Drill& d) {}

void playRightSound(Drill& d) {}

void playWrongSound(Drill& d) {}

} // namespace minamo
