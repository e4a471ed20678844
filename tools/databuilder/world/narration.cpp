#include "narration.h"

namespace databuilder::world {

const std::vector<NarrationLine>& NarrationLines() {
    static const std::vector<NarrationLine> kLines = {
        {"Welcome", "Welcome to the planetarium."},
        {"OpenSetting", "Saved view opened."},
        {"DisplayChanged", "Display settings changed."},
        {"LocationChanged", "Observing location changed."},
        {"EquatorModeON", "Equator mode on."},
        {"EquatorModeOFF", "Equator mode off."},
        {"TrackingON", "Tracking on."},
        {"TrackingOFF", "Tracking off."},
        {"TraceON", "Tracing mode started."},
        {"TraceOFF", "Tracing mode stopped."},
        {"FastClockON", "Fast clocking started."},
        {"FastClockOFF", "Fast clocking stopped."},
        {"LocalTime", "Local time."},
        {"GreenwichTime", "Greenwich time."},
        {"SystemTime", "System time."},
        {"RealTime", "Real time."},
        {"DstON", "Daylight saving time on."},
        {"DstOFF", "Daylight saving time off."},
        {"ConstellationON", "Constellation names on."},
        {"ConstellationOFF", "Constellation names off."},
        {"StarLabelON", "Star names on."},
        {"StarLabelOFF", "Star names off."},
        {"GalaxyON", "Deep sky objects on."},
        {"GalaxyOFF", "Deep sky objects off."},
        {"PlanetON", "Planets on."},
        {"PlanetOFF", "Planets off."},
        {"CometON", "Comets on."},
        {"CometOFF", "Comets off."},
        {"LineON", "Constellation lines on."},
        {"LineOFF", "Constellation lines off."},
        {"PictureON", "Constellation pictures on."},
        {"PictureOFF", "Constellation pictures off."},
        {"AsterismsON", "Seasonal asterisms on."},
        {"AsterismsOFF", "Seasonal asterisms off."},
        {"OldChinaON", "Old Chinese constellations on."},
        {"OldChinaOFF", "Old Chinese constellations off."},
        {"BoundaryON", "Constellation boundaries on."},
        {"BoundaryOFF", "Constellation boundaries off."},
        {"HorizonON", "Horizon on."},
        {"HorizonOFF", "Horizon off."},
        {"GridON", "Horizontal grid on."},
        {"GridOFF", "Horizontal grid off."},
        {"EquatorON", "Celestial equator on."},
        {"EquatorOFF", "Celestial equator off."},
        {"EclipticON", "Ecliptic on."},
        {"EclipticOFF", "Ecliptic off."},
        {"Spring", "Spring."},
        {"Summer", "Summer."},
        {"Fall", "Autumn."},
        {"Winter", "Winter."},
        {"Morning", "Good morning."},
        {"Day", "Good day."},
        {"Evening", "Good evening."},
        {"Night", "Good night."},
        {"ZoomIn", "Zooming in."},
        {"ZoomOut", "Zooming out."},
        {"Tenchou", "Looking at the zenith."},
        {"UnderHorizon", "Looking below the horizon."},
        {"South", "Looking south."},
        {"SSW", "Looking south south west."},
        {"SW", "Looking south west."},
        {"WSW", "Looking west south west."},
        {"West", "Looking west."},
        {"WNW", "Looking west north west."},
        {"NW", "Looking north west."},
        {"NNW", "Looking north north west."},
        {"North", "Looking north."},
        {"NNE", "Looking north north east."},
        {"NE", "Looking north east."},
        {"ENE", "Looking east north east."},
        {"East", "Looking east."},
        {"ESE", "Looking east south east."},
        {"SE", "Looking south east."},
        {"SSE", "Looking south south east."},
        {"Horizon", "Looking at the horizon."},
    };
    return kLines;
}

std::string SoundFileName(const std::string& event) {
    return event + ".wav";
}

std::string BasicIndexText(const std::vector<NarrationLine>& lines) {
    std::string text = "; Narration index: one section per event, WAV = its sound file.\n";
    for (const NarrationLine& line : lines)
        text += std::string("[") + line.event + "]\nWAV=" + SoundFileName(line.event) + "\n";
    return text;
}

}  // namespace databuilder::world
