#include "platform/sound.h"

#include <cstring>
#include <fstream>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace platform {
namespace {

// The one player of the program, owned by the application so that it goes before Qt does.
QPointer<QSoundEffect> player;

QSoundEffect* Player() {
    if (!player && QCoreApplication::instance())
        player = new QSoundEffect(QCoreApplication::instance());
    return player;
}

}  // namespace

bool IsWaveFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char header[12] = {};
    if (!file.read(header, sizeof header)) return false;
    return std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
}

bool PlaySoundFile(const std::string& path) {
    StopSound();
    if (!IsWaveFile(path)) return false;
    if (QMediaDevices::defaultAudioOutput().isNull()) return false;
    QSoundEffect* effect = Player();
    if (!effect) return false;
    effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    effect->play();
    return true;
}

void StopSound() {
    if (player) player->stop();
}

}  // namespace platform
