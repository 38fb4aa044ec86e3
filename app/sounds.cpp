#include "app/sounds.h"

namespace minamo {

namespace {

void playSound(SoundPlayer& player, const QString& path) {
    player.command(MediaCommand::Close);
    player.setFileName(path);
    player.command(MediaCommand::Open);
    player.command(MediaCommand::Prev);
    player.command(MediaCommand::Play);
}

} // namespace

QString soundPath(const QString& folder, const QString& file) {
    return folder.endsWith(u'/') ? folder + file : folder + QStringLiteral("/") + file;
}

void playRightSound(Drill& d) {
    playSound(d.ui.mmControl1, soundPath(d.s.programFolder, rightSoundFile));
    d.ui.text5.setText(QString());
    d.ui.text6.setText(QString());
}

void playWrongSound(Drill& d) {
    playSound(d.ui.mmControl2, soundPath(d.s.programFolder, wrongSoundFile));
}

} // namespace minamo
