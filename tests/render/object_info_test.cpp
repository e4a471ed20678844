// The hit test of the drawn sky and the texts of the information cards, on a scene whose stars
// sit at (100 i, -10 i).
#include <gtest/gtest.h>

#include "astro/body_table.h"
#include "layer_fixture.h"
#include "persist/records/world_records.h"
#include "render/object_info.h"

namespace render::testing {
namespace {

using persist::BlockId;

// Ten stars, the first five designated: star 1 is alpha (3) Lyr "Vega", star 2 has a Flamsteed
// number in "ser"; Jupiter is drawn 4 pixels right of star 1, a trace point of Mars and two
// deep-sky objects, one of them not drawn.
struct InfoSky : LayerHarness {
    InfoSky() {
        UseStars(RowOfStars(10), 5, 10);
        SetData(BlockId::ALPHA,
                std::vector<persist::DesignationRecord>{
                    {}, Designation("*a", 3, "", "Lyr"), Designation("", 58, "", "ser"), {}, {}});
        SetData(BlockId::SEIZA, std::vector{ConstellationName("Lyre", "Lyra", "Lyr"),
                                            ConstellationName("Serpent", "Serpens", "Ser")});
        persist::StarNameRecord vega{};
        vega.star = 1;
        PutText(vega.name, "Vega");
        SetData(BlockId::STARN, std::vector{vega});
        data.starNameCount = 1;
        SetData(BlockId::OBJ,
                std::vector<persist::ObjectRecord>{{700, 70, 'N', '5'}, {900, 90, 'G', 'K'}});
        persist::ObjectNameRecord orion{};
        PutText(orion.popular, "Orion Nebula");
        PutText(orion.messier, "M42");
        SetData(BlockId::OBJN, std::vector{orion, persist::ObjectNameRecord{}});
        scene.objectScreen = {{702, -70, 100}, {900, -90, 100}};
        scene.objectDrawn = {1, 0};
        scene.drawnMarks = {{astro::kBodyObject, 5, 0, {104, -10}},
                            {astro::kBodyObject, 4, 2, {500, -50}}};
        options.AutoDay = 1;
        options.AutoMinit = 0;
        view.clock = {2026, 1, 15, 20, 0};
    }
};

TEST(ObjectInfo, NearestDrawnObjectWinsAndNearestDesignatedStarGivesTheConstellation) {
    InfoSky sky;
    const struct {
        int x, y;
        bool dialog, tracing;
        HitGroup group;
        int index;
    } cases[] = {
        {102, -10, false, false, HitGroup::Body, 5},     // as near Jupiter as star 1
        {99, -10, false, false, HitGroup::Star, 1},      // nearer the star
        {308, -30, false, false, HitGroup::None, 0},     // 8 pixels: beyond a tip's reach
        {308, -30, true, false, HitGroup::Star, 3},      // within a dialog's
        {700, -70, false, false, HitGroup::Star, 7},     // star 7, nearer than the nebula
        {700, -70, true, false, HitGroup::DeepSky, 0},   // star 7 has no designation record
        {701, -70, false, false, HitGroup::DeepSky, 0},  // as near both: the nebula
        {900, -90, false, false, HitGroup::Star, 9},     // the undrawn galaxy is not there
        {500, -50, false, false, HitGroup::Star, 5},     // trace points only while tracing
        {500, -50, false, true, HitGroup::BodyTrace, 4},
    };
    for (const auto& c : cases) {
        sky.view.AutoRunning = c.tracing;
        sky.options.AutoType = c.tracing ? 1 : 0;
        const SkyHit hit = FindObjectAt(sky.scene, c.x, c.y, c.dialog);
        EXPECT_EQ(std::tuple(hit.group, hit.index), std::tuple(c.group, c.index)) << c.x;
    }
    EXPECT_EQ(ObjectOfHit({HitGroup::BodyTrace, 4, 2}).kind, -1);
    EXPECT_EQ(ObjectOfHit({HitGroup::Star, 7, 0}).kind, astro::kStarObject);
    // The constellation of a point is the one of the nearest designated star.
    EXPECT_EQ(ConstellationAt(sky.scene, 180, -18), 1);  // star 2, "ser" matches "Ser"
    EXPECT_EQ(ConstellationAt(sky.scene, 5000, 0), 1);   // no distance limit
    EXPECT_EQ(ConstellationAt(sky.scene, 90, -10), 0);
    EXPECT_EQ(ConstellationCard(sky.data, 0).field[1], "Lyra");
    sky.SetData(BlockId::ALPHA, std::vector<persist::DesignationRecord>{});
    EXPECT_EQ(ConstellationAt(sky.scene, 90, -10), -1);
}

TEST(ObjectInfo, CardsNameTheObject) {
    InfoSky sky;
    sky.view.SaisaKeisan = 0;
    sky.view.KoyuKeisan = 0;
    auto card = [&](HitGroup group, int index, int step = 0) {
        return InfoCardOf(sky.scene, {group, index, step},
                          [](const std::string& name) { return name == "B_GALAXY1"; });
    };
    const InfoCard vega = card(HitGroup::Star, 1);
    EXPECT_EQ(std::tuple(vega.dialog, vega.field[0], vega.field[2], vega.line),
              std::tuple("D_STARINFO", "Lyra", "Vega", "Alpha Lyr Vega Mag4.0"));
    EXPECT_EQ(card(HitGroup::Star, 2).line, "58 ser Mag4.0");
    sky.view.AlphaMode = 2;
    EXPECT_EQ(card(HitGroup::Star, 1).field[1], "3 Lyr");
    const InfoCard plain = card(HitGroup::Star, 4);
    EXPECT_EQ(std::tuple(plain.dialog, plain.line), std::tuple("D_STARINFOMINI", "Mag4.0"));
    const InfoCard nebula = card(HitGroup::DeepSky, 0);
    EXPECT_EQ(
        std::tuple(nebula.dialog, nebula.picture, nebula.field[0], nebula.field[3], nebula.line),
        std::tuple("D_OBJECTINFOBMP", "B_GALAXY1", "Dark Nebula", "----", "M42 Orion Nebula"));
    EXPECT_EQ(card(HitGroup::DeepSky, 1).dialog, "D_OBJECTINFO");

    EXPECT_EQ(card(HitGroup::BodyTrace, 4, 2).line, "Mars Jan 13,  2026");
    EXPECT_TRUE(card(HitGroup::BodyTrace, 4, 2).dialog.empty());
}

TEST(ObjectInfo, BodyAndCometCards) {
    astro::SolarSystemState bodies;
    bodies.bodies[astro::kMoonIndex].helioDistance = 60.0;  // Earth radii
    const InfoCard moon = BodyInfoCard(astro::kMoonIndex, bodies, 12.34);
    EXPECT_EQ(std::tuple(moon.dialog, moon.field[3], moon.line),
              std::tuple("D_MOONINFO", "382688Km", "Moon Age12.3"));
    const InfoCard sun = BodyInfoCard(astro::kSunIndex, bodies, 0);
    EXPECT_EQ(std::tuple(sun.picture, sun.field[4], sun.field[5]),
              std::tuple("B_PLANET0", "------", "Fixed Star"));
    const InfoCard ceres = BodyInfoCard(20, bodies, 0);
    EXPECT_EQ(std::tuple(ceres.field[0], ceres.dialog), std::tuple("1 Ceres", "D_PLANETINFO2"));

    state::CometRecord comet;
    PutText(comet.NAMEE, "C/2020 F3");
    const astro::CometPosition at{1.0, 1.0, 0.0, 0.0, true};
    EXPECT_EQ(std::tuple(CometInfoCard(comet, at).field[4], CometInfoCard(comet, at).line),
              std::tuple("---", "C/2020 F3"));
    comet.H1 = 5.5f;
    EXPECT_EQ(CometInfoCard(comet, at).line, "C/2020 F3 Mag5.5");
}

}  // namespace
}  // namespace render::testing
