// The headless render mode run as its own process over a small data set and the full one.
#include <QProcess>
#include <QtTest>

#include "astro/projection.h"
#include "astro/view_frame.h"
#include "render_fixture.h"
#include "shell/render_command.h"

namespace {

persist::StarRecord Star(int lon, int lat, int magCode, char spec) {
    return persist::StarRecord{static_cast<int16_t>(lon),     static_cast<int16_t>(lat), 0, 0,
                               static_cast<uint8_t>(magCode), static_cast<uint8_t>(spec)};
}

// The view the tests render: equator mode centred on the vernal equinox, no precession, so the
// picture does not depend on the computer's clock.
const QStringList kFixedView = {"--set", "SekidouMod=1", "--set", "Houi2=0",
                                "--set", "Koudo2=0",     "--set", "SaisaKeisan=0",
                                "--set", "BrightAuto=0", "--set", "DrawStars=55"};

}  // namespace

class RenderCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString data;

    // The exit code and what was written to the error stream.
    std::pair<int, QString> Run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
        env.insert("XDG_DATA_HOME", dir.path() + "/share");
        env.remove("QT_QPA_PLATFORM");  // the mode picks the offscreen platform itself
        env.remove("DISPLAY");
        process.setProcessEnvironment(env);
        process.start(PLANETARIUM_BINARY, QStringList{"--data-dir", data} + arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

  private slots:
    void initTestCase() {
        data = dir.path() + "/data";
        std::vector<persist::StarRecord> stars = {Star(0, 0, 20, 'A'), Star(300, 100, 30, 'K')};
        stars.insert(stars.end(), 3000, Star(16384, -8000, 110, 'G'));
        QVERIFY(fixture::WriteDataSet(data, stars, static_cast<int>(stars.size())));
    }

    void knownStarsLandOnTheirPixels() {
        const QString out = dir.path() + "/sky.png";
        QCOMPARE(Run(QStringList{"--render", out} + kFixedView), std::pair(0, QString()));
        QImage image(out);
        QCOMPARE(image.size(), QSize(1280, 800));
        // The night sky is black; a magnitude 0.0 star at the centre is a white disc; the second
        // star where the projection of the same view puts it.
        state::ViewState view;
        std::tie(view.SekidouMod, view.SaisaKeisan) = std::pair(1, 0);
        const astro::ProjectionTableStore tables = astro::BuildProjectionTables();
        const astro::ViewFrame frame = astro::ComputeViewFrame(view, tables.view());
        const astro::ScreenPoint p = astro::ProjectEcliptic(frame, 300, 100);
        QVERIFY(p.x != 0 || p.y != 0);
        QList<QRgb> colours;
        for (QPoint at : {QPoint(20, 20), QPoint(640, 400), QPoint(640 + p.x, 400 + p.y),
                          QPoint(640 + p.x + 40, 400 + p.y)})
            colours << (image.pixel(at) & 0xFFFFFF);
        QCOMPARE(colours, (QList<QRgb>{0, 0xFFFFFF, 0xFFFFFF, 0}));
    }

    // The size asked for, PDF by the name, a view file's zoom and a later --set that wins over
    // it, and typed values out of range brought into range without a word.
    void rendersWhatIsAsked() {
        const QString view = dir.filePath("zoomed.QEL");
        QVERIFY(fixture::WriteViewFile(view, 7000));
        const std::tuple<const char*, QStringList, QSize> cases[] = {
            {"plain.png", {}, {1280, 800}},
            {"small.png", {"--size", "320x200"}, {320, 200}},
            {"zoomed.png", {view}, {1280, 800}},
            {"unzoomed.png", {view, "--set", "Zoom=80"}, {1280, 800}},
            {"range.png",
             {"--set", "Zoom=-5", "--set", "DrawStars=9999", "--set", "DrawStarMode3=77", "--set",
              "Koudo2=abc"},
             {1280, 800}},
            {"sky.pdf", {}, {}}};
        for (const auto& [name, arguments, size] : cases) {
            const QString out = dir.filePath(name);
            QCOMPARE(Run(QStringList{"--render", out} + kFixedView + arguments),
                     std::pair(0, QString()));
            if (size.isValid()) QCOMPARE(QImage(out).size(), size);
        }
        QVERIFY(QImage(dir.filePath("zoomed.png")) != QImage(dir.filePath("plain.png")));
        QCOMPARE(QImage(dir.filePath("unzoomed.png")), QImage(dir.filePath("plain.png")));
        QFile pdf(dir.filePath("sky.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
    }

    // Bad sizes, unwritable places, unknown or malformed settings, a format not offered, a
    // missing view file and a missing data set.
    void failuresGiveOneLineAndNonZeroExit() {
        const QString out = dir.path() + "/x.png";
        const QString nowhere = dir.path() + "/no/such/dir/x";
        const QStringList cases[] = {{"--size", "0x100"},
                                     {"--size", "-5x100"},
                                     {"--size", "16385x10"},
                                     {"--size", "big"},
                                     {"--render", nowhere + ".png"},
                                     {"--render", nowhere + ".pdf"},
                                     {"--set", "NoSuchKey=1"},
                                     {"--set", "Zoom"},
                                     {"--render", dir.path() + "/x.bmp"},
                                     {dir.path() + "/none.QEL"},
                                     {"--data-dir", dir.path() + "/empty"}};
        for (const QStringList& arguments : cases) {
            // A later --render names the output instead of the first.
            const auto [exitCode, errors] = Run(QStringList{"--render", out} + arguments);
            QVERIFY2(exitCode != 0 && errors.startsWith("planetarium: ") && errors.count('\n') == 1,
                     qPrintable(arguments.join(' ') + ": " + errors));
        }
    }

    void fullDataSetDrawsAStarField() {
        const QString full = PLANETARIUM_DATASET_DIR;
        data = full;
        const QString out = dir.path() + "/full.png";
        QCOMPARE(Run({"--render", out, "--size", "640x400", "--set", "SekidouMod=1"}).first, 0);
        data = dir.path() + "/data";
        const QImage image(out);
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lit += (image.pixel(x, y) & 0xFFFFFF) != 0;
        QVERIFY2(lit > 300, qPrintable(QString::number(lit)));
    }

    void argumentsAreParsedInAnyOrder() {
        shell::RenderRequest request;
        std::string error;
        QVERIFY(shell::ParseRenderArguments({"planetarium", "v.QEL", "--set", "A=1", "--render",
                                             "o.PDF", "--size", "10x20", "--set", "B=x=y"},
                                            request, error));
        using Setting = std::pair<std::string, std::string>;
        QCOMPARE(std::tuple(request.viewFile, request.pdf, request.width, request.height),
                 std::tuple(std::string("v.QEL"), true, 10, 20));
        QVERIFY(request.settings == (std::vector<Setting>{{"A", "1"}, {"B", "x=y"}}));
        QVERIFY(!shell::ParseRenderArguments({"planetarium", "--render"}, request, error));
        QVERIFY(!shell::ParseRenderArguments({"planetarium", "--render", "a.png", "b", "c"},
                                             request, error));
    }
};

QTEST_GUILESS_MAIN(RenderCommandTest)
#include "render_command_test.moc"
