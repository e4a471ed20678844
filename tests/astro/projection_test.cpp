#include "astro/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <tuple>

#include "astro/bin_angle.h"
#include "astro/inverse_projection.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"

namespace {

using astro::BinAngle;
using astro::ProjectEcliptic;
using astro::ProjectHorizontal;
using astro::ViewFrame;

class ProjectionTest : public ::testing::Test {
  protected:
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    astro::ProjectionTables tables = store.view();

    state::ViewState HorizonView(double houi2, double koudo2) {
        state::ViewState v;
        v.clock = {2000, 1, 1, 0, 0};
        v.Houi2 = houi2;
        v.Koudo2 = koudo2;
        return v;
    }
};

TEST_F(ProjectionTest, ViewCentreProjectsToTheOrigin) {
    for (double houi2 : {0.0, 450.0, 900.0, 1800.0, 3150.0}) {
        for (double koudo2 : {-450.0, 0.0, 300.0, 900.0}) {
            ViewFrame f = astro::ComputeViewFrame(HorizonView(houi2, koudo2), tables);
            // The centre in the horizontal frame: a = 90 degrees - azimuth, b = altitude.
            BinAngle a = astro::kBinQuarterTurn - f.ViewAzimuthAngle;
            BinAngle b = f.ViewTiltAngle + astro::kBinQuarterTurn;
            astro::ScreenPoint p = ProjectHorizontal(f, a, b);
            EXPECT_EQ(std::tuple(p.x, p.y, p.flag >= 16383), std::tuple(0, 0, true))
                << houi2 << " " << koudo2;
        }
    }
}

TEST_F(ProjectionTest, VernalEquinoxIsAtTheCentreInEquatorMode) {
    state::ViewState v = HorizonView(0.0, 0.0);
    v.SekidouMod = 1;
    ViewFrame f = astro::ComputeViewFrame(v, tables);
    EXPECT_EQ(std::tuple(f.SiderealAngle, f.LatitudeAngle, f.PrecessionAngle),
              std::tuple(0, 8192, 0));
    astro::ScreenPoint p = ProjectEcliptic(f, 0, 0);
    EXPECT_EQ(std::tuple(p.x, p.y, p.flag), std::tuple(0, 0, 16384));
}

TEST_F(ProjectionTest, ZenithViewMakesTheDepthTheSineOfTheAltitudeAndBeyond) {
    ViewFrame f = astro::ComputeViewFrame(HorizonView(0.0, 900.0), tables);
    EXPECT_EQ(f.ViewTiltAngle, 0);
    for (BinAngle alt : {8192, 6000, 2731, 100})
        EXPECT_EQ(ProjectHorizontal(f, 1234, alt).flag, astro::Sin15(tables, alt)) << alt;
    // Beyond the view plane: a point at altitude -30 degrees is 120 degrees from the centre and
    // one at -70 degrees is 160 degrees away.
    astro::ScreenPoint at120 = ProjectHorizontal(f, 0, -2731);
    EXPECT_EQ(at120.flag, 1);
    // Drawn through the divisor of depth -8192: radius 80 * 14189 / ZBI2[8192] pixels.
    EXPECT_NEAR(std::hypot(at120.x, at120.y),
                80.0 * 16384 * std::sin(120 * std::numbers::pi / 180) / store.zbi2[8192], 2.0);
    EXPECT_LT(ProjectHorizontal(f, 0, -6372).flag, -14189);
}

TEST_F(ProjectionTest, EclipticAndHorizontalFramesAgree) {
    // A star's ecliptic projection equals the horizontal projection of its altitude and
    // azimuth, which we take from the frame's own direction cosines (P, R, -U).
    state::ViewState v = HorizonView(300.0, 250.0);
    v.clock = {2024, 3, 20, 21, 30};
    v.Zoom = 300;
    ViewFrame f = astro::ComputeViewFrame(v, tables);
    for (BinAngle lon = 0; lon < 32768; lon += 1111) {
        for (BinAngle lat : {-5000, -800, 0, 1200, 6000}) {
            astro::PreciseScreenPoint q =
                astro::ProjectEclipticPrecise(f, lon + f.PrecessionAngle, lat);
            astro::ScreenPoint p = ProjectEcliptic(f, lon, lat);
            if (q.depth < 2000.0) continue;  // compare in front of the view only
            EXPECT_NEAR(p.x, q.x, 3.0) << lon << " " << lat;
            EXPECT_NEAR(p.y, q.y, 3.0) << lon << " " << lat;
            EXPECT_EQ(p.flag == astro::kBelowHorizonFlag, q.down > 0.0) << lon << " " << lat;
        }
    }
}

TEST_F(ProjectionTest, WestIsRightInHorizonModeAndEastIsLeftInEquatorMode) {
    const ViewFrame h = astro::ComputeViewFrame(HorizonView(0.0, 200.0), tables);
    const BinAngle centreA = astro::kBinQuarterTurn - h.ViewAzimuthAngle;
    const BinAngle centreB = h.ViewTiltAngle + astro::kBinQuarterTurn;
    // Larger azimuth from the south (towards the west) means smaller a; lower is down.
    EXPECT_GT(ProjectHorizontal(h, centreA - 500, centreB).x, 0);
    EXPECT_GT(ProjectHorizontal(h, centreA, centreB - 500).y, 0);
    state::ViewState v = HorizonView(0.0, 0.0);
    v.SekidouMod = 1;
    const ViewFrame e = astro::ComputeViewFrame(v, tables);
    // A little east along the ecliptic (larger longitude) is to the left, north is up. The
    // frame's "horizon" is then the celestial equator: southern points carry the marker, which
    // callers ignore because no horizon is shown in this mode.
    EXPECT_LT(ProjectEcliptic(e, 300, 0).x, 0);
    EXPECT_LT(ProjectEcliptic(e, 0, 300).y, 0);
    EXPECT_EQ(ProjectEcliptic(e, 0, -300).flag, astro::kBelowHorizonFlag);
    EXPECT_EQ(e.HorizonShown, 0);
}

TEST_F(ProjectionTest, OffsetsAreClampedAndUnusablePositionsSkipped) {
    state::ViewState v = HorizonView(0.0, 450.0);
    v.Zoom = 7700;
    const ViewFrame f = astro::ComputeViewFrame(v, tables);
    const BinAngle a = astro::kBinQuarterTurn - f.ViewAzimuthAngle;
    EXPECT_EQ(std::abs(ProjectHorizontal(f, a + 6000, 0).x), 32000);
    EXPECT_LT(astro::ProjectEclipticPrecise(f, std::nan(""), 0.0).depth, 0.0);
}

// A century of precession and ten decades of proper motion in 2100; the ground is shown down to
// a view altitude of -0.5 degrees; the options and the years beyond 10000 switch the
// corrections off.
TEST_F(ProjectionTest, CorrectionsAndTheirSwitches) {
    state::ViewState v;
    v.clock = {2100, 1, 1, 0, 0};
    v.Koudo2 = -4.0;
    ViewFrame f = astro::ComputeViewFrame(v, tables);
    EXPECT_EQ(std::tuple(f.PrecessionAngle, f.ProperMotionDecades, f.RefractionAngle,
                         f.HorizonShown, f.YearInRange),
              std::tuple(100 * 16384 / 12885, 10, 54, 1, 1));
    EXPECT_EQ(astro::ComputeViewFrame(v, tables, true).ProperMotionDecades, 0);
    v.Koudo2 = -6.0;
    EXPECT_EQ(astro::ComputeViewFrame(v, tables).HorizonShown, 0);
    v.TaikisaKeisan = v.SaisaKeisan = 0;
    v.clock.year = 10001;
    f = astro::ComputeViewFrame(v, tables);
    EXPECT_EQ(std::tuple(f.RefractionTenths, f.PrecessionAngle, f.YearInRange),
              std::tuple(0.0, 0, 0));
}

using astro::Cos15;
using astro::Sin15;

class TablesTest : public ProjectionTest {
  protected:
    const int16_t* t = store.sincos.data();
};

TEST_F(TablesTest, FoldsOfTheQuarterWave) {
    ASSERT_EQ(store.sincos.size(), 8193u);
    // Every angle of the turn against the library sine, within the table's rounding.
    for (int a = -32768; a < 65536; a += 7) {
        double radians = a * 2.0 * std::numbers::pi / 32768.0;
        ASSERT_NEAR(Sin15(t, a), 16384.0 * std::sin(radians), 0.5) << a;
        ASSERT_NEAR(Cos15(t, a), 16384.0 * std::cos(radians), 0.5) << a;
    }
}

TEST_F(TablesTest, DivisorsArePositiveAndTheLastEntryRepeats) {
    for (const auto* table : {&store.zbi, &store.zbi2}) {
        ASSERT_EQ(table->size(), 16386u);
        EXPECT_EQ((*table)[16385], (*table)[16384]);
        for (int16_t d : *table)
            ASSERT_GT(d, 0);
    }
    EXPECT_EQ(store.zbi[16384], 2048);
    EXPECT_EQ(store.zbi2[0], store.zbi[0]);  // both sides meet at depth 0
}

// The radius grows with the angle out to 150 degrees by the stereographic law; the default zoom
// shows about 106 degrees across 1280 pixels.
TEST_F(TablesTest, RadiusIsStereographicOutTo150Degrees) {
    double previous = 0.0, halfWidth = 0.0;
    for (double degrees = 1.0; degrees <= 150.0; degrees += 0.5) {
        // As the projection computes it: through the divisor of the depth.
        const double radians = degrees * std::numbers::pi / 180.0;
        const int z = static_cast<int>(16384.0 * std::cos(radians));
        const double r =
            80 * 16384.0 * std::sin(radians) / (z >= 1 ? store.zbi[z] : store.zbi2[-z]);
        ASSERT_GT(r, previous) << degrees;
        EXPECT_NEAR(r / (80 * 16.0 * std::tan(radians / 2)), 1.0, 0.01) << degrees;
        if (r < 640.0) halfWidth = degrees;
        previous = r;
    }
    EXPECT_GT(2 * halfWidth, 100.0);
    EXPECT_LT(2 * halfWidth, 120.0);
}

TEST_F(TablesTest, BlockBytesDecodeToTheTablesOrAreRefused) {
    std::vector<uint8_t> sincos = astro::TableBytes(store.sincos);
    std::vector<uint8_t> zbi = astro::TableBytes(store.zbi);
    std::vector<uint8_t> zbi2 = astro::TableBytes(store.zbi2);
    // Files hold entries 0..16384; the loader adds entry 16385.
    zbi.resize(16385 * 2);
    std::optional<astro::ProjectionTableStore> decoded =
        astro::DecodeProjectionTables(sincos, zbi, zbi2);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::tie(decoded->sincos, decoded->zbi, decoded->zbi2),
              std::tie(store.sincos, store.zbi, store.zbi2));

    // Damaged blocks are refused with their name; one table in place of another shows in its
    // size or its end entries.
    std::vector<uint8_t> shortSine(sincos.begin(), sincos.end() - 2), zeroDivisor = zbi2,
                                                                      hugeSine = sincos;
    zeroDivisor[2 * 5000] = zeroDivisor[2 * 5000 + 1] = 0;
    hugeSine[2 * 100 + 1] = 0x7F;
    const struct {
        std::vector<uint8_t> sincos, zbi, zbi2;
        const char* named;
    } damaged[] = {{shortSine, zbi, zbi2, "SINCOS"}, {sincos, zbi, zeroDivisor, "ZBI2"},
                   {hugeSine, zbi, zbi2, "SINCOS"},  {sincos, {}, zbi2, "ZBI"},
                   {sincos, zbi2, zbi2, "ZBI:"},     {sincos, zbi, zbi, "ZBI2"}};
    for (const auto& d : damaged) {
        std::string error;
        EXPECT_FALSE(astro::DecodeProjectionTables(d.sincos, d.zbi, d.zbi2, &error)) << d.named;
        EXPECT_NE(error.find(d.named), std::string::npos) << error;
    }
}

class InverseProjectionTest : public ProjectionTest {
  protected:
    void SetUp() override {
        view.clock = {2010, 7, 1, 22, 0};
        view.Zoom = 200;
        view.SmoothIdou = 0;
    }
    state::ViewState view = HorizonView(400.0, 300.0);
};

TEST_F(InverseProjectionTest, FindsTheDirectionUnderAPixel) {
    astro::ViewFrame f = astro::ComputeViewFrame(view, tables);
    // The centre is at azimuth Houi2, altitude Koudo2: a = 900 - 400 = 500 tenths.
    astro::HorizontalTenths c = astro::ScreenToHorizontal(f, 0, 0);
    // Within a pixel: at Zoom 200 one pixel is about 0.36 tenths.
    EXPECT_NEAR(c.a, 500.0, 0.4);
    EXPECT_NEAR(c.b, 300.0, 0.4);
    // A pixel off-centre maps back onto itself through the forward projection.
    for (auto [sx, sy] : {std::pair{250, -120}, {-400, 300}, {17, 5}}) {
        astro::HorizontalTenths h = astro::ScreenToHorizontal(f, sx, sy);
        astro::ScreenPoint p =
            astro::ProjectHorizontal(f, astro::TenthsToBinAngle(h.a), astro::TenthsToBinAngle(h.b));
        EXPECT_LE(std::abs(p.x - sx) + std::abs(p.y - sy), 2) << sx << "," << sy;
        // Multiples of 0.05 tenths.
        EXPECT_NEAR(std::remainder(h.a, 0.05), 0.0, 1e-6);
    }
}

TEST_F(InverseProjectionTest, DraggingMovesTheGrabbedPointUnderTheCursor) {
    const astro::HorizontalTenths grabbed =
        astro::ScreenToHorizontal(astro::ComputeViewFrame(view, tables), 100, 50);
    ASSERT_EQ(astro::DragView(view, tables, 100, 50, 0, 0), 1);
    astro::HorizontalTenths now =
        astro::ScreenToHorizontal(astro::ComputeViewFrame(view, tables), 0, 0);
    EXPECT_NEAR(now.a, grabbed.a, 1.0);
    EXPECT_NEAR(now.b, grabbed.b, 1.0);
    EXPECT_EQ(astro::DragView(view, tables, 10, 10, 10, 10), 0);
}

// Dragging or centring never carries the centre past the zenith, nor below the refraction
// allowance unless the view may go under the horizon.
TEST_F(InverseProjectionTest, DraggingAndCentringStopAtTheZenithAndTheHorizon) {
    view.Koudo2 = 850.0;
    ASSERT_EQ(astro::DragView(view, tables, 0, -300, 0, 300), 1);
    EXPECT_EQ(view.Koudo2, 900.0);
    view.UnderHorizon = 0;
    view.Koudo2 = 20.0;
    astro::DragView(view, tables, 0, 300, 0, -300);
    EXPECT_EQ(view.Koudo2, -5.0);
    view.Koudo2 = 20.0;
    astro::CenterViewOn(view, tables, 0, 350);
    EXPECT_EQ(view.Koudo2, -5.0);
    view.UnderHorizon = 1;
    view.Koudo2 = 20.0;
    astro::DragView(view, tables, 0, 300, 0, -300);
    EXPECT_LT(view.Koudo2, -50.0);
}

TEST_F(InverseProjectionTest, DraggingInEquatorModeTurnsTheOtherWay) {
    view.SekidouMod = 1;
    view.Houi2 = 100.0;
    view.Koudo2 = 0.0;
    // Dragging the sky to the right shows what lay to the left: east, larger right ascension.
    astro::DragView(view, tables, 0, 0, 200, 0);
    EXPECT_GT(view.Houi2, 100.0);
    EXPECT_LT(view.Houi2, 3600.0);
    view.SekidouMod = 0;
    view.Houi2 = 100.0;
    // In horizon mode the view turns east, from the south towards 2700 through 0: about 7
    // degrees for 200 pixels at Zoom 200, and twice that wraps below 0 to 3500 and more.
    astro::DragView(view, tables, 0, 0, 200, 0);
    EXPECT_NEAR(view.Houi2, 100.0 - 71.5, 3.0);
    astro::DragView(view, tables, 0, 0, 200, 0);
    EXPECT_NEAR(view.Houi2, 3600.0 + 100.0 - 143.0, 5.0);
}

TEST_F(InverseProjectionTest, CentringOnAPointMovesAtOnceOrHandsTheTargetToTheWindow) {
    const astro::HorizontalTenths target =
        astro::ScreenToHorizontal(astro::ComputeViewFrame(view, tables), -300, -200);
    ASSERT_EQ(astro::CenterViewOn(view, tables, -300, -200), 1);
    EXPECT_NEAR(view.Houi2, astro::ReduceTenths(8100.0 - target.a), 1e-9);
    EXPECT_NEAR(view.Koudo2, target.b, 1e-9);
    EXPECT_EQ(view.PendingMoves, 0);
    // With smooth moves the view stays and the main window gets the target.
    view.SmoothIdou = 1;
    view.Houi2 = 400.0;
    view.Koudo2 = 300.0;
    ASSERT_EQ(astro::CenterViewOn(view, tables, 300, 100), 1);
    EXPECT_EQ(std::tuple(view.Houi2, view.Koudo2, view.PendingMoves),
              std::tuple(400.0, 300.0, state::kMoveAzimuth | state::kMoveAltitude));
    EXPECT_GT(view.MoveTargetHoui2, 400.0);  // right of the centre is west
    EXPECT_LT(view.MoveTargetKoudo2, 300.0);
}

}  // namespace
