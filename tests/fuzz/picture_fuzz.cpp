// A picture file as the program reads one: by Qt's readers (the title and object pictures), and
// as the photograph of M42 looked up by name (a bitmap by the program's own decoder, anything
// else by Qt's), drawn by the image layer in a frame centred on the nebula.
#include "fuzz_world.h"
#include "platform/deep_sky_pictures.h"
#include "platform/picture_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Sky& sky = fuzz::StartupSky();
    const std::string title = fuzz::WriteFile("TITLE256.IMG", data, size);
    (void)platform::ReadPicture(QString::fromStdString(title));

    // A new lookup each time, as it keeps what it has decoded.
    const bool bitmap = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const std::string picture =
        fuzz::WriteFile(bitmap ? "pictures/B_M42.bmp" : "pictures/B_M42.png", data, size);
    const fuzz::fs::path folder = fuzz::fs::path(picture).parent_path();
    fuzz::fs::remove(folder / (bitmap ? "B_M42.png" : "B_M42.bmp"));
    platform::DeepSkyPictureFolder pictures(folder.string());

    state::ViewState view = sky.view;
    view.SekidouMod = 1;
    view.Houi2 = 838.2;  // right ascension and declination of M42
    view.Koudo2 = -53.9;
    view.Zoom = 2500;
    view.SeiunImage = 1;
    fuzz::DrawFrame(sky, view, sky.options, nullptr, pictures.Lookup());
    return 0;
}
