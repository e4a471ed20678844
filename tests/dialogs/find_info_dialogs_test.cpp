// The find dialog, the information cards, tracking, the tooltip and the star-name dialog on a
// real main window over the full data set.

#include "dialogs/find_dialog.h"
#include "dialogs/info_dialog.h"
#include "dialogs/star_name_dialog.h"
#include "persist/comet_file.h"
#include "persist/record_view.h"
#include "persist/star_names.h"
#include "window_fixture.h"

using namespace dialogs;
using namespace fixture;

class FindInfoDialogsTest : public QObject, MainWindowFixture {
    Q_OBJECT

    FindDialog* OpenFind() { return Open<FindDialog>(413, DialogKind::Find); }
    StarNameDialog* OpenNames() { return Open<StarNameDialog>(40058, DialogKind::StarSet); }
    static QString Current(QWidget* dialog, int list) {
        const QListWidgetItem* item = FindControl<QListWidget>(*dialog, list)->currentItem();
        return item ? item->text() : QString();
    }
    // The tooltip's text after the mouse rests a second at the centre of the sky.
    QString TipAtCentre() {
        QWidget* sky = window->skyView();
        MoveMouse(sky, QPoint(sky->width() / 2 + 1, sky->height() / 2));
        MoveMouse(sky, QPoint(sky->width() / 2, sky->height() / 2));
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
    void init() {
        NewProgram();
        program->view.clock = {2026, 1, 15, 22, 0};  // Jupiter high in Gemini
        program->view.SmoothIdou = 0;
        LoadDataSet();
        QVERIFY(persist::LoadComets(persist::ProgramFile(persist::kShippedCometFile),
                                    program->comets) > 0);
        ShowWindow();
        window->resize(900, 650);
        Redraw();
    }
    void cleanup() { CloseAll(); }

    void typingFindsTheObjectOnItsTab() {
        FindDialog* find = OpenFind();
        auto* tabs = FindControl<QTabBar>(*find, 201);
        tabs->setCurrentIndex(3);
        auto* list = FindControl<QListWidget>(*find, 101);
        QVERIFY(!list->findItems("M2", Qt::MatchExactly).isEmpty());
        QVERIFY(list->row(list->findItems("M2", Qt::MatchExactly)[0]) <
                list->row(list->findItems("M10", Qt::MatchExactly)[0]));
        const std::tuple<const char*, int, int, const char*> cases[] = {
            {"Veg", 1, 101, "Vega"},
            {"M 42", 3, 101, "M42 (Great Orion Nebula)"},
            {"ngc 224", 3, 101, "NGC 224 (Andromeda Galaxy)"},
            {"Jupiter", 4, 101, "Jupiter"},
            {"Hale-Bopp", 5, 101, "Hale-Bopp"},
            {"Summer", 6, 101, "Summer Triangle"},
            {"alpha Lyr", 2, 103, "Alpha"}};
        auto* search = FindControl<QLineEdit>(*find, 105);
        for (const auto& [typed, tab, listId, chosen] : cases) {
            search->setText(QString::fromUtf8(typed));
            QCOMPARE(std::pair(tabs->currentIndex(), Current(find, listId)),
                     std::pair(tab, QString::fromUtf8(chosen)));
        }
        // Nothing matches: OK, Apply and Tracking do nothing, and the dialog stays.
        search->setText("zzzz");
        const double azimuth = program->view.Houi2;
        for (int id : {kIdApply, 104, kIdOk})
            Click(find, id);
        QVERIFY(program->view.Houi2 == azimuth && !program->view.Tracking &&
                window->openDialogs().Find(DialogKind::Find) == find);
    }

    void trackingKeepsAPlanetCentredWhileTheClockRuns() {
        FindDialog* find = OpenFind();
        FindControl<QLineEdit>(*find, 105)->setText("Jupiter");
        Click(find, 104);
        QCOMPARE(std::pair(program->view.Tracking, program->view.TrackedKind), std::pair(true, 4));
        QCOMPARE(window->statusPanes()->texts()[10], std::string("C"));
        auto& o = program->options;
        std::tie(o.AutoType, o.AutoMinit, o.AutoDay, o.Interval) = std::tuple(0, 0, 5, 1);
        program->view.AutoRunning = true;
        for (int step = 0; step < 3; ++step) {
            window->TimerTick();
            Redraw();
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
        Redraw();
        program->view.DblClick = 1;  // object information
        QTest::mouseDClick(window->skyView(), Qt::LeftButton, {},
                           window->skyView()->rect().center());
        QCoreApplication::processEvents();
        InfoDialog* card = OpenInfoCard();
        QVERIFY(card && card->findChild<QWidget*>("501"));
        QCOMPARE(std::pair(card->objectName(), card->findChild<QLabel*>("201")->text()),
                 std::pair(QString("D_PLANETINFO"), QString("Jupiter")));
        card->findChild<QPushButton*>("101")->click();
        Redraw();
        QCOMPARE(program->view.Zoom, 2400);
        window->Command(503);
        card = OpenInfoCard();
        QCOMPARE(std::pair(card->objectName(), card->findChild<QLabel*>("202")->text()),
                 std::pair(QString("D_SEIZAINFO"), QString("Gemini")));
    }

    void starNamesArePickedRenamedRemovedAndSaved() {
        StarNameDialog* names = OpenNames();
        auto* field = FindControl<QLineEdit>(*names, 1055);
        const std::size_t count = names->table().size();
        names->PickStar(0);  // Sirius, named: its name is chosen
        QCOMPARE(std::pair(Current(names, 1065), field->selectedText()),
                 std::pair(QString("Sirius"), QString("Sirius")));
        names->PickStar(5000);  // unnamed: "New Name"
        QCOMPARE(std::pair(Current(names, 1065), names->table().size()),
                 std::pair(QString("New Name"), count + 1));

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
        QCOMPARE(std::pair(MessageTexts().last(), StarName(0)),
                 std::pair(QString("Failed to save!"), QString("Sirius")));

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
