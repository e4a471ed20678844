// The catalogue blocks as start-up loads them and the layers draw them: the input's parts,
// split at "\n@block\n", become the block files in loading order (the projection tables are
// the built ones), the data set is loaded and one frame drawn with every layer on.
#include "fuzz_world.h"

namespace {

constexpr std::string_view kSeparator = "\n@block\n";

using persist::BlockId;
constexpr BlockId kInputBlocks[] = {
    BlockId::STAR2, BlockId::SEIZA, BlockId::SEIZAZ, BlockId::STARN, BlockId::PIC,
    BlockId::MILKY, BlockId::LINE,  BlockId::KISETU, BlockId::KISEN, BlockId::STIDX,
    BlockId::KAI,   BlockId::SKUNM, BlockId::SKUSN,  BlockId::SKUNU, BlockId::SKUSU,
    BlockId::SKULI, BlockId::ALPHA, BlockId::OBJ,    BlockId::OBJN,  BlockId::CITY,
    BlockId::EARTH, BlockId::YAMA};

// Every layer on, looking south-east over the horizon at the winter sky.
void ShowEverything(state::ViewState& view) {
    for (int32_t state::ViewState::*most :
         {&state::ViewState::Constella, &state::ViewState::StarName, &state::ViewState::Solar,
          &state::ViewState::Comet, &state::ViewState::Sekidou, &state::ViewState::Koudou,
          &state::ViewState::AlphaMode})
        view.*most = 3;
    view.Galaxy = 4;
    for (int32_t state::ViewState::*on :
         {&state::ViewState::Picture, &state::ViewState::Kyoukai, &state::ViewState::Kisetu,
          &state::ViewState::KisetuName, &state::ViewState::ShukuLine, &state::ViewState::ShukuName,
          &state::ViewState::ShukuStar, &state::ViewState::MilkyWay, &state::ViewState::SeiunImage,
          &state::ViewState::Horizon, &state::ViewState::Jimen, &state::ViewState::Yama,
          &state::ViewState::Glid, &state::ViewState::GridScale})
        view.*on = 1;
    view.SekidouMod = 0;
    view.Houi2 = 3150;
    view.Koudo2 = 200;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartWithDataFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (BlockId id : kInputBlocks) {
        const std::size_t end = std::min(rest.find(kSeparator), rest.size());
        fuzz::WriteFile(std::string("data/") + persist::BlockKey(id) + ".DAT", rest.substr(0, end));
        rest.remove_prefix(std::min(rest.size(), end + kSeparator.size()));
    }
    std::optional<fuzz::Sky> sky = fuzz::LoadSky();
    if (!sky) __builtin_trap();  // any bytes make a catalogue the program starts with
    ShowEverything(sky->view);
    fuzz::DrawFrame(*sky, sky->view, sky->options);
    return 0;
}
