#include "platform/sound.h"

#include <cstring>
#include <vector>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include "persist/regular_file.h"

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
    std::vector<uint8_t> header;
    if (persist::ReadRegularFileStart(path, 12, header) != persist::FileStatus::Ok ||
        header.size() < 12)
        return false;
    return std::memcmp(header.data(), "RIFF", 4) == 0 &&
           std::memcmp(header.data() + 8, "WAVE", 4) == 0;
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
