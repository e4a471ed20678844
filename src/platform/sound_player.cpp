#include "platform/sound_player.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace platform {
namespace {

QSoundEffect* Player() {
    static QPointer<QSoundEffect> player;
    if (!player) player = new QSoundEffect(QCoreApplication::instance());
    return player;
}

bool IsWaveFile(const QString& path) {
    // Only a regular file: opening a pipe would wait for a writer.
    if (!QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8, 4) == "WAVE";
}

}  // namespace

bool PlayWaveFile(const QString& path) {
    StopSound();
    if (!IsWaveFile(path)) return false;
    QSoundEffect* player = Player();
    player->setSource(QUrl::fromLocalFile(path));
    player->play();
    return true;
}

void StopSound() {
    if (QCoreApplication::instance()) Player()->stop();
}

}  // namespace platform
