// The comet dialog, the font and the colour and line dialogs and the save options on a real main
// window with the data set's comets: clamps of typed values, the comet count's limits, imports of
// one-line elements (clipboard and dropped file), disabled line styles and the reopening Apply.

#include "dialogs/comet_dialog.h"
#include "dialogs/font_dialog.h"
#include "dialogs/line_dialog.h"
#include "dialogs/save_option_dialog.h"
#include "persist/comet_file.h"
#include "persist/default_tables.h"
#include "render_fixture.h"
#include "window_fixture.h"

using namespace dialogs;
using namespace fixture;

namespace {

constexpr const char* kPonsBrooks =
    "0012P         2024 04 20.8249  0.781076  0.954750  198.9678  255.8177   74.1690  20220824"
    "   9.0  4.0  12P/Pons-Brooks                                          MPEC 2022";

}  // namespace

class CometAndAppearanceDialogsTest : public QObject, MainWindowFixture {
    Q_OBJECT

  private slots:
    void init() {
        NewProgram();
        persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
        program->view.clock = {2024, 3, 5, 20, 0};
        program->view.lineSets = persist::DefaultLineSets();
        program->view.fontSets = persist::DefaultFontSets();
        QVERIFY(persist::LoadComets(persist::ProgramFile(persist::kShippedCometFile),
                                    program->comets) == 80);
        ShowWindow(BlackSky());
    }
    void cleanup() { CloseAll(); }

    void cometElementsAreClampedNeverRefused() {
        CometDialog dialog(*program, *window);
        const std::tuple<int, const char*, double> cases[] = {
            {108, "2.5", 2.0},     {108, "-1", 0.0},     {107, "0", 1e-7}, {104, "0", 1.0},
            {104, "32", 31.99999}, {102, "12000", 9999}, {103, "13", 12},  {120, "abc", 0.0},
            {114, "6.04", 60},     {119, "0.5", 10},     {114, "-3", 0}};
        for (const auto& [id, typed, expected] : cases) {
            Type(&dialog, id, QString::fromLatin1(typed));
            const state::CometRecord& r = dialog.work().table.records[0];
            const double stored = id == 108   ? r.e
                                  : id == 107 ? r.q
                                  : id == 104 ? r.TD
                                  : id == 102 ? r.TY
                                  : id == 103 ? r.TM
                                  : id == 120 ? r.H1
                                  : id == 114 ? dialog.work().cometBright
                                              : dialog.work().cometKyori;
            QCOMPARE(stored, expected);
        }
        // Only OK, Apply and Save store.
        QCOMPARE(std::pair(Text(&dialog, 104), program->options.CometKyori),
                 std::pair(QString("31.99999"), 20));
        Click(&dialog, kIdApply);
        QCOMPARE(
            std::tuple(program->options.CometKyori, program->comets.records[0].TY, messages.size()),
            std::tuple(10, 9999, std::size_t(0)));
    }

    void theCountStaysBetweenOneAndAHundred() {
        CometDialog dialog(*program, *window);
        auto* list = FindControl<QTreeWidget>(dialog, 101);
        for (int n = 80; n < kCometDialogLimit; ++n)
            Click(&dialog, 115);
        // The count, the current comet, the rows listed and the current row.
        const auto shown = [&dialog, list] {
            return std::tuple(dialog.work().table.count, dialog.work().current,
                              list->topLevelItemCount(),
                              list->indexOfTopLevelItem(list->currentItem()));
        };
        // Dated by the clock.
        QCOMPARE(std::pair(list->currentItem()->text(1), dialog.work().table.records[99].TM),
                 std::pair(QString("New Comet"), 3));
        Click(&dialog, 115);
        QCOMPARE(shown(), std::tuple(100, 99, 100, 99));
        Type(&dialog, 108, "0.5");
        Click(&dialog, 116);  // the last one: the new last becomes current
        QCOMPARE(shown(), std::tuple(99, 98, 99, 98));
        Click(&dialog, 122);  // "Reset All": the data set's list again
        QCOMPARE(std::get<2>(shown()), 80);
        dialog.reject();
        QCOMPARE(program->comets.count, 80);

        program->comets.count = 1;
        CometDialog single(*program, *window);
        Click(&single, 116);
        QCOMPARE(single.work().table.count, 1);
        QCOMPARE(MessageTexts(), QStringList({"Can't add anymore!", "Delete this plannet?",
                                              "Do you clear all data and restore default?",
                                              "Can't delete any more!"}));
    }

    void pastedElementsReplaceTheirCometOrChangeNothing() {
        CometDialog dialog(*program, *window);
        const QString good = QString::fromLatin1(kPonsBrooks);
        QGuiApplication::clipboard()->setText(good + "\n" + good.left(60) + "\n");
        Click(&dialog, 124);
        QVERIFY(messages.back().text.starts_with("Line 2 ") && dialog.work().table.count == 80);

        QGuiApplication::clipboard()->setText(good + "\n" +
                                              QString(good).replace(102, 15, "C/2099 A1 (New)"));
        Click(&dialog, 124);
        // 12P's record is current, its day in UT.
        QCOMPARE(std::tuple(messages.back().text, dialog.work().table.count, dialog.work().current,
                            Text(&dialog, 104)),
                 std::tuple(std::string("2 comets read: 1 added, 1 replaced."), 81, 6,
                            QString("20.82404")));
        dialog.accept();
        QCOMPARE(program->comets.count, 81);
    }

    void aDroppedFileOfOneLineElementsIsImportedAndSaved() {
        const QString path = home.filePath("comets.txt");
        QVERIFY(
            WriteBytes(path, QByteArray(kPonsBrooks).replace(102, 15, "C/2099 A1 (New)") + "\n"));
        window->OpenDroppedFile(path);
        state::CometTable saved;
        const auto file = home.filePath("planetarium/QELCOMET.USR").toStdString();
        const int loaded = persist::LoadComets(file, saved);
        QCOMPARE(std::tuple(program->comets.count, loaded, std::string(saved.records[80].NAMEE)),
                 std::tuple(81, 81, std::string("C/2099 A1 (New)")));
    }

    void theCometCommandOpensItsDialogModal() {
        QString opened;
        OnModal([&opened](QDialog& modal) { opened = modal.objectName(); });
        QVERIFY(window->Command(246));
        QCOMPARE(opened, QStringLiteral("D_COMET"));
    }

    void fontSizesAreTakenAbsoluteAndHeldInRange() {
        auto* dialog = Open<FontDialog>(162, DialogKind::FontSet);
        auto* list = FindControl<QListWidget>(*dialog, 101);
        // Slot 22 has no name; the three unused slots are listed.
        QCOMPARE(std::pair(list->count(), list->item(3)->text()),
                 std::pair(22, QString("* Not Use")));
        list->setCurrentRow(4);
        for (const auto& [typed, stored] : {std::pair{"-15", 15}, std::pair{"100", 72}}) {
            FindControl<QComboBox>(*dialog, 102)->setEditText(QString::fromLatin1(typed));
            Click(dialog, kIdApply);
            QCOMPARE(program->view.fontSets[4].size, stored);
        }
        Click(dialog, 201);  // "&Default"
        Click(dialog, kIdOk);
        QCOMPARE(program->view.fontSets[4].size, 11);
    }

    void labelEntriesHaveNoLineStyleAndApplyReopensInPlace() {
        auto* dialog = Open<LineDialog>(161, DialogKind::LineSet);
        auto* list = FindControl<QListWidget>(*dialog, 101);
        for (const auto& [row, styled] :
             {std::pair{9, false}, std::pair{15, false}, std::pair{1, true}}) {
            list->setCurrentRow(row);
            QCOMPARE(std::pair(Enabled(dialog, 106), Enabled(dialog, 104)),
                     std::pair(styled, styled));
        }
        QVERIFY(Checked(dialog, 104));  // pictures are dotted
        Click(dialog, 103);
        dialog->move(dialog->pos() + QPoint(37, 23));
        const QPoint place = dialog->pos();
        Click(dialog, kIdApply);
        QCOMPARE(program->view.lineSets[1].style, uint8_t{0});
        QTRY_VERIFY(window->openDialogs().Find(DialogKind::LineSet));
        QWidget* reopened = window->openDialogs().Find(DialogKind::LineSet);
        QCOMPARE(std::tuple(reopened != dialog, reopened->pos(),
                            FindControl<ColourBox>(*reopened, 105)->text()),
                 std::tuple(true, place, QString::number(44 | 44 << 8 | 156 << 16)));
    }

    void autoModeOnKeepsItsMarkWhileDisabled() {
        SaveOptionDialog dialog(15 | 16 | 32, window.get());
        QVERIFY(Enabled(&dialog, 1048));
        Click(&dialog, 1047);
        QVERIFY(!Enabled(&dialog, 1048) && Checked(&dialog, 1048));
        Click(&dialog, 1046);
        QCOMPARE(dialog.saveOption(), 1 | 4 | 8 | 32);
    }
};

QTEST_MAIN(CometAndAppearanceDialogsTest)
#include "comet_and_appearance_dialogs_test.moc"
