#include "shell/window_settings.h"

#include <QMainWindow>

#include "platform/window_placement.h"
#include "shell/program.h"

namespace shell {

void PlaceMainWindow(Program&, QMainWindow&) {}

void SaveSettingsOnClose(Program&, const QMainWindow&) {}

}  // namespace shell
