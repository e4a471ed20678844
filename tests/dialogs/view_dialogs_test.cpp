// The view, display mode and options dialogs on a real main window drawing the full data set:
// typed values clamped, the rules between the switches, and every switch shown in the sky at
// once.

#include "astro/centring.h"
#include "astro/minor_planet_file.h"
#include "dialogs/display_mode_dialog.h"
#include "dialogs/view_dialog.h"
#include "persist/comet_file.h"
#include "persist/settings.h"
#include "render/stars.h"
#include "window_fixture.h"

using namespace dialogs;
using namespace fixture;

namespace {

enum Scene { kNight, kSunset, kDay, kEcliptic, kEclipticDeep, kLongAgo };

// The scenes of the sky tests, in Greenwich time, seen from New York.
void SetScene(state::ViewState& v, Scene scene) {
    // The clock, equator mode, direction, height and zoom.
    static const std::tuple<state::CivilClock, int32_t, double, double, int32_t> kScenes[] = {
        // 1 April 1997, 21:00 EST: north-west, comet Hale-Bopp over the Milky Way.
        {{1997, 4, 2, 2, 0}, 0, 1350, 150, 40},
        // Sunset of that day: the glow, Mercury and the comet in the west.
        {{1997, 4, 1, 23, 30}, 0, 900, 100, 40},
        // An afternoon with the young Moon (tracked) not far from the Sun.
        {{1997, 4, 9, 20, 0}, 0, 0, 300, 40},
        // Along the ecliptic in Pisces, with dwarf planets and asteroids.
        {{2026, 12, 7, 1, 0}, 1, 9, 1.5, 60},
        {{2026, 12, 7, 1, 0}, 1, 9, 1.5, 600},
        // Orion four thousand years ago.
        {{-2000, 1, 1, 0, 0}, 1, 838, -54, 80},
    };
    v.Keisanji = 1;
    std::tie(v.clock, v.SekidouMod, v.Houi2, v.Koudo2, v.Zoom) = kScenes[scene];
    v.Tracking = scene == kDay;
    v.TrackedKind = astro::kBodyObject;
    v.TrackedIndex = 1;  // the Moon
}

}  // namespace

class ViewDialogsTest : public QObject, MainWindowFixture {
    Q_OBJECT

    state::ViewState start;

    // The sky once the edit is applied: a new frame when the view changed, else the last one.
    QImage SkyAfterEdit() {
        const int renders = window->skyView()->renderCount();
        QCoreApplication::processEvents();  // the posted "&Apply"
        window->skyView()->update();
        // A frame that never comes fails the caller's comparison of pictures.
        if (program->view.ViewChanged)
            (void)QTest::qWaitFor([&] { return window->skyView()->renderCount() > renders; }, 5000);
        // The part the window shows; the margins of a grown picture keep older frames.
        const QImage& sky = window->skyView()->skyBitmap();
        const QSize area = window->skyView()->size();
        return sky.copy(
            QRect(QPoint(sky.width() - area.width(), sky.height() - area.height()) / 2, area));
    }

  private slots:
    void initTestCase() {
        NewProgram();
        persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
        persist::LoadSettings(program->view, program->options);
        QVERIFY(persist::LoadStartupComets(program->options.UserPath, program->comets) > 0);
        LoadDataSet();
        QVERIFY(astro::LoadMinorPlanetFile(persist::ProgramFile(astro::kMinorPlanetFile)).empty());
        program->view.GscAvailable = program->data.gscAvailable;
        start = program->view;
        ShowWindow();
        window->resize(640, 480);
    }
    void init() {
        program->view = start;
        program->view.SmoothIdou = 0;
        SetScene(program->view, kNight);
    }
    void cleanup() {
        for (DialogKind kind : {DialogKind::View, DialogKind::Screen, DialogKind::Option})
            if (ModelessDialog* dialog = window->openDialogs().Find(kind)) dialog->reject();
    }
    void cleanupTestCase() { CloseAll(); }

    void zoomSliderIsLogarithmic() {
        // A zoom, its place on the slider and the zoom that place stands for.
        const std::tuple<int, int, int> cases[] = {
            {10, 0, 30}, {31, 3, 30}, {300, 231, 300}, {7700, kZoomSliderLast, 7700}};
        for (const auto& [zoom, position, back] : cases)
            QCOMPARE(std::pair(ZoomSliderPosition(zoom), ZoomAtSliderPosition(position)),
                     std::pair(position, back));
        // The marks of the twenty that fall on the slider, and its two ends.
        QCOMPARE(ZoomSliderTicks(),
                 (std::vector<int>{0, 170, 290, 377, 438, 481, 511, 531, 546, 555, 558}));
    }

    void viewDialogClampsTypedValues() {
        program->view.UnderHorizon = 0;
        auto* dialog = Open<ViewDialog>(131, DialogKind::View);
        const std::tuple<int, const char*, const char*> cases[] = {
            {101, "360", " 360.0"}, {101, "360.1", "   0.1"}, {101, "-0.5", " 359.5"},
            {101, "-0", "   0.0"},  {103, "-10", "   0.0"},   {103, "95", "  90.0"},
            {103, "2.3", "   2.3"}, {105, "5", "   10%"},     {105, "9000", " 7700%"},
            {105, "abc", "   10%"}, {105, "30", "   30%"}};
        for (const auto& [id, typed, shown] : cases) {
            Type(dialog, id, QString::fromLatin1(typed));
            QCOMPARE(Text(dialog, id), QString::fromLatin1(shown));
        }
        QCOMPARE(std::pair(dialog->work().height, FindControl<QSlider>(*dialog, 106)->value()),
                 std::pair(23.0, 0));
        FindControl<QSlider>(*dialog, 106)->setValue(kZoomSliderLast);
        QCOMPARE(Text(dialog, 105), QStringLiteral(" 7700%"));
        // Equator mode keeps the numbers and shows right ascension in hours and minutes.
        Click(dialog, 107);
        QCOMPARE(Text(dialog, 101), QStringLiteral(" 0h00m"));
        Type(dialog, 101, QStringLiteral("12h30m"));
        Type(dialog, 103, QStringLiteral("-10"));
        // Nothing applied yet.
        QCOMPARE(std::tuple(dialog->work().direction, dialog->work().height, program->view.Zoom),
                 std::tuple(1875.0, -100.0, 40));
        Click(dialog, kIdApply);
        const auto& v = program->view;
        QCOMPARE(std::tuple(v.SekidouMod, v.Houi2, v.Koudo2, v.Zoom),
                 std::tuple(1, 1875.0, -100.0, 7700));
    }

    void viewDialogMovesSmoothlyAndFollowsTheMenus() {
        std::tie(program->view.SmoothIdou, program->view.Tracking) = std::pair(1, true);
        auto* dialog = Open<ViewDialog>(131, DialogKind::View);
        Type(dialog, 105, QStringLiteral("200"));
        Click(dialog, kIdApply);
        // The main window moves there frame by frame.
        const auto& v = program->view;
        QCOMPARE(std::tuple(v.Zoom, v.PendingMoves, v.Tracking),
                 std::tuple(40, state::kMoveZoom, false));
        QTRY_COMPARE(program->view.Zoom, 200);
        window->Command(107);  // equator mode from the menu
        QVERIFY(Checked(dialog, 107));
    }

    void displayModeRules() {
        auto& v = program->view;
        std::tie(v.BrightAuto, v.AlphaMode, v.WakuseiLevel) = std::tuple(1, 1, 2);
        auto* dialog = Open<DisplayModeDialog>(133, DialogKind::Screen);
        // Bayer and Flamsteed are never both off; "+Asteroid" brings "+Dwarf Planet".
        Click(dialog, 119);
        Click(dialog, 40067);
        QVERIFY(Checked(dialog, 119) && Checked(dialog, 40066) && dialog->work().WakuseiLevel == 5);
        // Under "Auto" the limit follows the zoom and cannot be typed.
        QVERIFY(!Enabled(dialog, 251) && !Enabled(dialog, 252));
        Click(dialog, 40034);
        QVERIFY(Enabled(dialog, 251));
        const auto& counts = window->Stars().countByLevel;
        QVERIFY(counts[40] > 0);
        const std::tuple<const char*, int> cases[] = {
            {"6.04", 20}, {"Mag4.3", 3}, {"0", 0}, {"12", 55}, {"junk", 0}};
        for (const auto& [typed, drawStars] : cases) {
            Type(dialog, 251, QString::fromLatin1(typed));
            QCOMPARE(dialog->work().DrawStars, drawStars);
        }
        QCOMPARE(Text(dialog, 251), QStringLiteral("Mag4.0 %1").arg(counts[40], 6));
        // The ground needs the horizon; the grid's scale needs the grid.
        Click(dialog, 204);
        Click(dialog, 205);
        QVERIFY(!Enabled(dialog, 109) && !Enabled(dialog, 216));
        program->narration.triggers.displayModeApplied = false;
        Click(dialog, kIdOk);
        QCOMPARE(std::tuple(v.WakuseiLevel, v.BrightAuto, v.Horizon,
                            program->narration.triggers.displayModeApplied),
                 std::tuple(5, 0, 0, true));
    }

    void optionDialogClampsAndCouplesItsBoxes() {
        auto& v = program->view;
        std::tie(v.UnderHorizon, v.FindUnder, v.CircleGuide, v.Shaya) = std::tuple(0, 0, 0, 0);
        ModelessDialog* dialog = Open(169, DialogKind::Option);
        QVERIFY(dialog && !Enabled(dialog, 1007) && !Enabled(dialog, 1009) &&
                !Enabled(dialog, 1011));
        // A box clicked first (0: none), the field, what is typed and what it shows.
        const std::tuple<int, int, const char*, const char*> cases[] = {{1008, 1009, "120", "90.0"},
                                                                        {0, 1009, "0.2", " 1.0"},
                                                                        {0, 1009, "2.3", " 2.3"},
                                                                        {1010, 1011, "5", "10"},
                                                                        {0, 1011, "12000", "9999"}};
        for (const auto& [box, field, typed, shown] : cases) {
            if (box) Click(dialog, box);
            Type(dialog, field, QString::fromLatin1(typed));
            QCOMPARE(Text(dialog, field), QString::fromLatin1(shown));
        }
        QVERIFY(Enabled(dialog, 1007) && Enabled(dialog, 1011));
        Click(dialog, 301);
        QVERIFY(Checked(dialog, 112) && !Enabled(dialog, 112));
        Click(dialog, kIdOk);
        QCOMPARE(std::tuple(v.CircleSize, v.ShayaSize, v.FindUnder), std::tuple(23, 9999, 1));
    }

    // Each switch, clicked with Auto Apply on (or followed by "&Apply" where there is none),
    // changes the next picture of the sky; 251 is the magnitude limit typed.
    void everySwitchShowsInTheSky_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("scene");
        QTest::newRow("view") << 131 << QList<int>{107} << int(kNight);
        const QList<int> atNight{210, 101, 103,   104, 202, 203, 113, 114, 126, 121, 122,  123,
                                 124, 125, 40065, 141, 142, 144, 206, 215, 207, 208, 209,  109,
                                 204, 216, 205,   212, 213, 214, 222, 223, 224, 251, 40034};
        QTest::newRow("display at night") << 133 << atNight << int(kNight);
        QTest::newRow("twilight") << 133 << QList<int>{131, 132, 134, 117} << int(kSunset);
        QTest::newRow("minor planets") << 133 << QList<int>{40066, 40067} << int(kEcliptic);
        QTest::newRow("deep stars") << 133 << QList<int>{40034, 40039} << int(kEclipticDeep);
        QTest::newRow("options at night")
            << 169 << QList<int>{201, 203, 206, 120, 110, 1046, 1008, 1010, 122} << int(kNight);
        QTest::newRow("options at sunset") << 169 << QList<int>{114, 126} << int(kSunset);
        QTest::newRow("options by day")
            << 169 << QList<int>{1008, 1007, 108, 119, 127, 128, 129} << int(kDay);
        QTest::newRow("precise positions") << 169 << QList<int>{125} << int(kEcliptic);
        QTest::newRow("long ago") << 169 << QList<int>{116, 117} << int(kLongAgo);
    }
    void everySwitchShowsInTheSky() {
        QFETCH(int, command);
        QFETCH(QList<int>, ids);
        QFETCH(int, scene);
        auto& v = program->view;
        auto& o = program->options;
        SetScene(v, Scene(scene));
        // Comets within wide limits; Auto Apply on.
        std::tie(o.CometBright, o.CometKyori, o.KosinAutoView, o.KosinAutoScrn) =
            std::tuple(200, 200, 1, 1);
        // The horizon line alone, so that the ground shows its own.
        if (command == 133) std::tie(v.Jimen, v.BrightAuto) = std::pair(0, 0);
        const DialogKind kind = command == 131   ? DialogKind::View
                                : command == 133 ? DialogKind::Screen
                                                 : DialogKind::Option;
        ModelessDialog* dialog = Open(command, kind);
        QImage before = SkyAfterEdit();
        QStringList unchanged;
        for (int id : ids) {
            id == 251 ? Type(dialog, id, QStringLiteral("9.5")) : Click(dialog, id);
            if (kind == DialogKind::Option) Click(dialog, kIdApply);
            const QImage after = SkyAfterEdit();
            if (after == before) unchanged << QString::number(id);
            before = after;
        }
        QVERIFY2(unchanged.isEmpty(), qPrintable(unchanged.join(' ')));
    }
};

QTEST_MAIN(ViewDialogsTest)
#include "view_dialogs_test.moc"
