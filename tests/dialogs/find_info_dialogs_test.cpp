// The find dialog, the information cards, tracking, the tooltip and the star-name dialog on a
// real main window over the full data set.
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include "dialogs/dialog_fields.h"
#include "dialogs/find_dialog.h"
#include "dialogs/info_dialog.h"
#include "dialogs/star_name_dialog.h"
#include "persist/comet_file.h"
#include "persist/paths.h"
#include "persist/record_view.h"
#include "persist/star_names.h"
#include "shell/main_window.h"
#include "state/messages.h"

using namespace dialogs;

class FindInfoDialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    std::unique_ptr<shell::Program> program;
    std::unique_ptr<shell::MainWindow> window;
    std::vector<state::Message> messages;

    void Paint() {
        window->Redraw();
        window->skyView()->repaint();
    }
    FindDialog* OpenFind() {
        window->Command(413);
        return static_cast<FindDialog*>(window->openDialogs().Find(DialogKind::Find));
    }
    StarNameDialog* OpenNames() {
        window->Command(40058);
        return static_cast<StarNameDialog*>(window->openDialogs().Find(DialogKind::StarSet));
    }
    static QString Current(QWidget* dialog, int list) {
        const QListWidgetItem* item = FindControl<QListWidget>(*dialog, list)->currentItem();
        return item ? item->text() : QString();
    }
    static void Click(QWidget* dialog, int id) {
        FindControl<QAbstractButton>(*dialog, id)->click();
    }
    // The tooltip's text after the mouse rests a second at the centre of the sky.
    QString TipAtCentre() {
        QWidget* sky = window->skyView();
        for (QPoint p : {QPoint(sky->width() / 2 + 1, sky->height() / 2),
                         QPoint(sky->width() / 2, sky->height() / 2)}) {
            QMouseEvent move(QEvent::MouseMove, p, sky->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(sky, &move);
        }
        for (int i = 0; i < 10; ++i)
            window->TimerTick();
        return window->tooltip()->isVisible() ? window->tooltip()->text() : QString();
    }
    QString StarName(uint32_t star) const {
        const auto names =
            program->data.block(persist::BlockId::STARN).records<persist::StarNameRecord>();
        for (std::size_t i = 0; i < program->data.starNameCount; ++i)
            if (names[i].star == star) return QString::fromUtf8(persist::FieldText(names[i].name));
        return {};
    }

  private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
    }
    void init() {
        program = std::make_unique<shell::Program>();
        program->view.clock = {2026, 1, 15, 22, 0};  // Jupiter high in Gemini
        program->view.SmoothIdou = 0;
        program->options.UserPath = (home.path() + "/user").toStdString();
        std::string gscPath;
        QVERIFY(persist::LoadDataSet(program->data, program->options.UserPath, gscPath));
        QVERIFY(persist::LoadComets(persist::ProgramFile(persist::kShippedCometFile),
                                    program->comets) > 0);
        window = std::make_unique<shell::MainWindow>(*program);
        window->resize(900, 650);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Paint();
        messages.clear();
        state::SetMessageHandler([this](const state::Message& m) {
            messages.push_back(m);
            return state::MessageAnswer::Yes;
        });
    }
    void cleanup() {
        window.reset();
        program.reset();
        state::SetMessageHandler({});
    }

    void typingFindsTheObjectOnItsTab() {
        FindDialog* find = OpenFind();
        QVERIFY(find);
        auto* tabs = FindControl<QTabBar>(*find, 201);
        tabs->setCurrentIndex(3);
        auto* list = FindControl<QListWidget>(*find, 101);
        QVERIFY(!list->findItems("M2", Qt::MatchExactly).isEmpty());
        QVERIFY(list->row(list->findItems("M2", Qt::MatchExactly)[0]) <
                list->row(list->findItems("M10", Qt::MatchExactly)[0]));
        const struct {
            const char* typed;
            int tab;
            int list;
            const char* chosen;
        } cases[] = {
            {"Veg", 1, 101, "Vega"},
            {"M 42", 3, 101, "M42 (Great Orion Nebula)"},
            {"ngc 224", 3, 101, "NGC 224 (Andromeda Galaxy)"},
            {"Jupiter", 4, 101, "Jupiter"},
            {"Hale-Bopp", 5, 101, "Hale-Bopp"},
            {"Summer", 6, 101, "Summer Triangle"},
            {"alpha Lyr", 2, 103, "Alpha"},
        };
        auto* search = FindControl<QLineEdit>(*find, 105);
        for (const auto& c : cases) {
            search->setText(QString::fromUtf8(c.typed));
            QCOMPARE(tabs->currentIndex(), c.tab);
            QCOMPARE(Current(find, c.list), QString::fromUtf8(c.chosen));
        }
        // Nothing matches: OK, Apply and Tracking do nothing, and the dialog stays.
        search->setText("zzzz");
        const double azimuth = program->view.Houi2;
        for (int id : {kIdApply, 104, kIdOk})
            Click(find, id);
        QCOMPARE(program->view.Houi2, azimuth);
        QVERIFY(!program->view.Tracking);
        QCOMPARE(window->openDialogs().Find(DialogKind::Find), find);
    }

    void trackingKeepsAPlanetCentredWhileTheClockRuns() {
        FindDialog* find = OpenFind();
        FindControl<QLineEdit>(*find, 105)->setText("Jupiter");
        Click(find, 104);
        QVERIFY(program->view.Tracking);
        QCOMPARE(program->view.TrackedKind, 4);
        QCOMPARE(window->statusPanes()->texts()[10], std::string("C"));
        program->options.AutoType = 0;
        program->options.AutoMinit = 0;
        program->options.AutoDay = 5;
        program->options.Interval = 1;
        program->view.AutoRunning = true;
        for (int step = 0; step < 3; ++step) {
            window->TimerTick();
            Paint();
        }
        QCOMPARE(program->view.clock.day, 30);
        program->view.AutoRunning = false;
        QCOMPARE(TipAtCentre(), QString("Jupiter"));
        QCOMPARE(window->tooltip()->pictureWindow()->pictureName(), QString("B_PLANET5"));
    }

    void cardsOpenByDoubleClickAndTheTelescopeZoomsIn() {
        FindDialog* find = OpenFind();
        FindControl<QLineEdit>(*find, 105)->setText("Jupiter");
        Click(find, kIdOk);
        Paint();
        program->view.DblClick = 1;  // object information
        QWidget* sky = window->skyView();
        const QPoint centre(sky->width() / 2, sky->height() / 2);
        QTest::mouseDClick(sky, Qt::LeftButton, {}, centre);
        QCoreApplication::processEvents();
        InfoDialog* card = OpenInfoCard();
        QVERIFY(card);
        QCOMPARE(card->objectName(), QString("D_PLANETINFO"));
        QCOMPARE(card->findChild<QLabel*>("201")->text(), QString("Jupiter"));
        QVERIFY(card->findChild<QWidget*>("501"));
        card->findChild<QPushButton*>("101")->click();
        Paint();
        QCOMPARE(program->view.Zoom, 2400);
        window->Command(503);
        QCOMPARE(OpenInfoCard()->objectName(), QString("D_SEIZAINFO"));
        QCOMPARE(OpenInfoCard()->findChild<QLabel*>("202")->text(), QString("Gemini"));
    }

    void starNamesArePickedRenamedRemovedAndSaved() {
        StarNameDialog* names = OpenNames();
        QVERIFY(names);
        auto* field = FindControl<QLineEdit>(*names, 1055);
        const std::size_t count = names->table().size();
        names->PickStar(0);  // Sirius, named: its name is chosen
        QCOMPARE(Current(names, 1065), QString("Sirius"));
        QCOMPARE(field->selectedText(), QString("Sirius"));
        names->PickStar(5000);  // unnamed: "New Name"
        QCOMPARE(Current(names, 1065), QString("New Name"));
        QCOMPARE(names->table().size(), count + 1);

        names->PickStar(0);
        field->setText("Canicula");
        Click(names, kIdApply);
        QCOMPARE(Current(names, 1065), QString("Canicula"));
        auto* list = FindControl<QListWidget>(*names, 1065);
        const int row = list->currentRow();
        QVERIFY(list->item(row - 1)->text().compare("Canicula", Qt::CaseInsensitive) < 0);
        QVERIFY(list->item(row + 1)->text().compare("Canicula", Qt::CaseInsensitive) > 0);
        QCOMPARE(StarName(0), QString("Canicula"));
        field->setText("");  // an emptied name changes nothing
        Click(names, kIdApply);
        QCOMPARE(StarName(0), QString("Canicula"));
        field->setText(QString(40, QChar(0xE9)));  // 31 characters kept, cut to 31 bytes
        Click(names, kIdApply);
        QCOMPARE(StarName(0), QString(15, QChar(0xE9)));

        Click(names, 1062);  // removed, then cancelled: the table stays
        QVERIFY(std::none_of(names->table().begin(), names->table().end(),
                             [](const persist::StarNameRecord& r) { return r.star == 0; }));
        Click(names, kIdCancel);
        QCOMPARE(StarName(0), QString(15, QChar(0xE9)));

        names = OpenNames();
        field = FindControl<QLineEdit>(*names, 1055);
        for (uint32_t star = 6000; names->table().size() < persist::kStarNameLimit; ++star)
            names->PickStar(star);
        names->PickStar(9000);  // a thousand names: no more
        QCOMPARE(names->table().size(), persist::kStarNameLimit);

        // Saved, then used at the next start.
        Click(names, 1063);
        const std::string file =
            persist::JoinPath(program->options.UserPath, persist::kUserStarNameFile);
        QVERIFY(QFileInfo::exists(QString::fromStdString(file)));
        persist::DataSet next;
        std::string gscPath;
        QVERIFY(persist::LoadDataSet(next, program->options.UserPath, gscPath));
        QCOMPARE(next.starNameCount, persist::kStarNameLimit);

        // A file where the folder should be: "Failed to save!", the names stay in use.
        program->options.UserPath = file;
        names->PickStar(0);
        field->setText("Sirius");
        messages.clear();
        Click(names, 1063);
        QCOMPARE(messages.back().text, std::string("Failed to save!"));
        QCOMPARE(StarName(0), QString("Sirius"));

        // "Reset All": the shipped names again, not the user's file.
        Click(names, 122);
        const qint64 shipped =
            QFileInfo(QString::fromStdString(persist::ProgramFile("STARN.DAT"))).size() / 68;
        QCOMPARE(static_cast<qint64>(names->table().size()), shipped);
        QCOMPARE(FindControl<QListWidget>(*names, 1065)->currentRow(), 0);
    }
};

QTEST_MAIN(FindInfoDialogsTest)
#include "find_info_dialogs_test.moc"
