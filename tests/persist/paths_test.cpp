#include "persist/paths.h"

#include "persist/narration_index.h"

#include <cstdlib>

#include "test_world.h"

namespace {

using persist::JoinPath;
using persist::MakeAbsoluteFolder;
using namespace persist_test;

using Paths = TestWorld;

TEST_F(Paths, ProgramFilesAndFoldersAreTakenFromTheDataDirectory) {
    persist::SetDataDirectory("/opt/data/");
    EXPECT_EQ(persist::ProgramFile("QELCOMET.DAT"), "/opt/data/QELCOMET.DAT");
    EXPECT_EQ(persist::ProgramSettingsPath(), "/opt/data/TAVILO.INI");
    EXPECT_EQ(JoinPath("", "QELDATA.INI"), "QELDATA.INI");
    // The root folder is shorter than four characters and keeps its separator.
    for (const auto& [folder, absolute] : {std::pair{"/mnt/gsc/", "/mnt/gsc"},
                                           {"/mnt/gsc", "/mnt/gsc"},
                                           {"gsc", "/opt/data/gsc"},
                                           {"gsc/", "/opt/data/gsc"},
                                           {"", ""},
                                           {"/", "/"},
                                           {"/ab/", "/ab"}})
        EXPECT_EQ(MakeAbsoluteFolder(folder), absolute) << folder;
}

TEST_F(Paths, SettingsAndUserFoldersFollowTheXdgVariables) {
    EXPECT_EQ(persist::BareSettingsPath(), Root() + "/config/planetarium/TAVILO.INI");
    EXPECT_EQ(persist::DefaultUserDirectory(), Root() + "/share/planetarium");

    // Relative or empty XDG values are ignored in favour of the home folder.
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", (Root() + "/home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(persist::BareSettingsPath(), Root() + "/home/.config/planetarium/TAVILO.INI");
    EXPECT_EQ(persist::DefaultUserDirectory(), Root() + "/home/.local/share/planetarium");
    ::setenv("HOME", home.c_str(), 1);
}

TEST_F(Paths, NarrationSoundsAreLookedUpInTheSourceFolderIndex) {
    WriteFile(DataDir() + "/TAVILO.INI", "[Tavilo Pro v7]\nsource=voice\n");
    WriteFile(DataDir() + "/voice/BASIC.TXT",
              "[North]\nWAV=\\en\\north.wav\n[Day]\nWAV=\n[south]\nWAV=South.wav\n");
    const std::string folder = persist::NarrationFolder();
    EXPECT_EQ(folder, DataDir() + "/voice");
    EXPECT_EQ(persist::NarrationSoundFile(folder, "North"), folder + "/en/north.wav");
    EXPECT_EQ(persist::NarrationSoundFile(folder, "South"), folder + "/South.wav");
    EXPECT_EQ(persist::NarrationSoundFile(folder, "Day"), "");
    EXPECT_EQ(persist::NarrationSoundFile(folder, "Evening"), "");
    EXPECT_EQ(persist::NarrationSoundFile(Root() + "/none", "North"), "");
    // The bare-name copy wins.
    WriteFile(Root() + "/config/planetarium/TAVILO.INI", "[Tavilo Pro v7]\nsource=/srv/v/\n");
    EXPECT_EQ(persist::NarrationFolder(), "/srv/v");
}

}  // namespace
