// The comet dialog, the font and the colour and line dialogs and the save options on a real main
// window with the data set's comets: clamps of typed values, the comet count's limits, imports of
// one-line elements (clipboard and dropped file), disabled line styles and the reopening Apply.
#include <QtTest>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "dialogs/comet_dialog.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/font_dialog.h"
#include "dialogs/line_dialog.h"
#include "dialogs/save_option_dialog.h"
#include "persist/comet_file.h"
#include "persist/default_tables.h"
#include "persist/paths.h"
#include "shell/main_window.h"
#include "state/messages.h"

using namespace dialogs;

namespace {

constexpr const char* kPonsBrooks =
    "0012P         2024 04 20.8249  0.781076  0.954750  198.9678  255.8177   74.1690  20220824"
    "   9.0  4.0  12P/Pons-Brooks                                          MPEC 2022";

void Type(QWidget* dialog, int id, const QString& text) {
    auto* field = FindControl<QLineEdit>(*dialog, id);
    field->setText(text);
    emit field->editingFinished();
}

void Click(QWidget* dialog, int id) {
    FindControl<QAbstractButton>(*dialog, id)->click();
}

}  // namespace

class CometAndAppearanceDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<shell::Program> program;
    std::unique_ptr<shell::MainWindow> window;
    QTemporaryDir home;
    std::vector<std::string> messages;

  private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
    }
    void init() {
        program = std::make_unique<shell::Program>();
        program->view.clock = {2024, 3, 5, 20, 0};
        program->view.lineSets = persist::DefaultLineSets();
        program->view.fontSets = persist::DefaultFontSets();
        QVERIFY(persist::LoadComets(persist::ProgramFile(persist::kShippedCometFile),
                                    program->comets) == 80);
        shell::MainWindowHooks hooks;
        hooks.renderSky = [](QImage& bitmap, shell::Program&, int, int) {
            bitmap.fill(Qt::black);
            return shell::FrameFacts{};
        };
        window = std::make_unique<shell::MainWindow>(*program, std::move(hooks));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        messages.clear();
        state::SetMessageHandler([this](const state::Message& m) {
            messages.push_back(m.text);
            return m.buttons == state::MessageButtons::YesNo ? state::MessageAnswer::Yes
                                                             : state::MessageAnswer::Ok;
        });
    }
    void cleanup() {
        window.reset();
        program.reset();
        state::SetMessageHandler({});
    }

    void cometElementsAreClampedNeverRefused() {
        CometDialog dialog(*program, *window);
        const struct {
            int id;
            const char* typed;
            double expected;
        } cases[] = {
            {108, "2.5", 2.0},     {108, "-1", 0.0},     {107, "0", 1e-7}, {104, "0", 1.0},
            {104, "32", 31.99999}, {102, "12000", 9999}, {103, "13", 12},  {120, "abc", 0.0},
            {114, "6.04", 60},     {119, "0.5", 10},     {114, "-3", 0},
        };
        for (const auto& c : cases) {
            Type(&dialog, c.id, QString::fromLatin1(c.typed));
            const state::CometRecord& r = dialog.work().table.records[0];
            const double stored = c.id == 108   ? r.e
                                  : c.id == 107 ? r.q
                                  : c.id == 104 ? r.TD
                                  : c.id == 102 ? r.TY
                                  : c.id == 103 ? r.TM
                                  : c.id == 120 ? r.H1
                                  : c.id == 114 ? dialog.work().cometBright
                                                : dialog.work().cometKyori;
            QCOMPARE(stored, c.expected);
        }
        QCOMPARE(FindControl<QLineEdit>(dialog, 104)->text(), QStringLiteral("31.99999"));
        QCOMPARE(program->options.CometKyori, 20);  // only OK, Apply and Save store
        Click(&dialog, kIdApply);
        QCOMPARE(program->options.CometKyori, 10);
        QCOMPARE(program->comets.records[0].TY, 9999);
        QVERIFY(messages.empty());
    }

    void theCountStaysBetweenOneAndAHundred() {
        CometDialog dialog(*program, *window);
        auto* list = FindControl<QTreeWidget>(dialog, 101);
        for (int n = 80; n < kCometDialogLimit; ++n)
            Click(&dialog, 115);
        QCOMPARE(dialog.work().table.count, 100);
        QCOMPARE(list->currentItem()->text(1), QStringLiteral("New Comet"));
        QCOMPARE(dialog.work().table.records[99].TM, 3);  // the clock's date
        QVERIFY(messages.empty());
        Click(&dialog, 115);
        QCOMPARE(dialog.work().table.count, 100);
        QCOMPARE(messages.back(), std::string("Can't add anymore!"));

        list->setCurrentItem(list->topLevelItem(99));
        Type(&dialog, 108, "0.5");
        Click(&dialog, 116);  // the last one: the new last becomes current
        QCOMPARE(dialog.work().table.count, 99);
        QCOMPARE(dialog.work().current, 98);
        QCOMPARE(list->topLevelItemCount(), 99);
        QCOMPARE(list->currentItem(), list->topLevelItem(98));
        Click(&dialog, 122);  // "Reset All": the data set's list again
        QCOMPARE(dialog.work().table.count, 80);
        QCOMPARE(list->topLevelItemCount(), 80);
        dialog.reject();
        QCOMPARE(program->comets.count, 80);

        program->comets.count = 1;
        CometDialog single(*program, *window);
        Click(&single, 116);
        QCOMPARE(messages.back(), std::string("Can't delete any more!"));
        QCOMPARE(single.work().table.count, 1);
    }

    void pastedElementsReplaceTheirCometOrChangeNothing() {
        CometDialog dialog(*program, *window);
        const QString good = QString::fromLatin1(kPonsBrooks);
        QGuiApplication::clipboard()->setText(good + "\n" + good.left(60) + "\n");
        Click(&dialog, 124);
        QVERIFY(messages.back().find("Line 2 ") == 0);
        QCOMPARE(dialog.work().table.count, 80);

        QGuiApplication::clipboard()->setText(good + "\n" +
                                              QString(good).replace(102, 15, "C/2099 A1 (New)"));
        Click(&dialog, 124);
        QCOMPARE(messages.back(), std::string("2 comets read: 1 added, 1 replaced."));
        QCOMPARE(dialog.work().table.count, 81);
        QCOMPARE(dialog.work().current, 6);  // 12P's record
        QCOMPARE(FindControl<QLineEdit>(dialog, 104)->text(), QStringLiteral("20.82404"));  // UT
        dialog.accept();
        QCOMPARE(program->comets.count, 81);
    }

    void aDroppedFileOfOneLineElementsIsImportedAndSaved() {
        const QString path = home.filePath("comets.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(kPonsBrooks).replace(102, 15, "C/2099 A1 (New)") + "\n");
        file.close();
        window->OpenDroppedFile(path);
        QCOMPARE(program->comets.count, 81);
        state::CometTable saved;
        QCOMPARE(
            persist::LoadComets(home.filePath("planetarium/QELCOMET.USR").toStdString(), saved),
            81);
        QCOMPARE(saved.records[80].NAMEE, "C/2099 A1 (New)");
    }

    void theCommandsOpenTheDialogs() {
        QTimer::singleShot(0, [] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal && modal->objectName() == "D_COMET");
            static_cast<QDialog*>(modal)->reject();
        });
        QVERIFY(window->Command(246));
        QVERIFY(window->Command(161));
        QVERIFY(window->Command(162));
        QVERIFY(window->openDialogs().Find(DialogKind::LineSet));
        QVERIFY(window->openDialogs().Find(DialogKind::FontSet));
    }

    void fontSizesAreTakenAbsoluteAndHeldInRange() {
        window->Command(162);
        auto* dialog = static_cast<FontDialog*>(window->openDialogs().Find(DialogKind::FontSet));
        auto* list = FindControl<QListWidget>(*dialog, 101);
        QCOMPARE(list->count(), 22);  // slot 22 has no name; the three unused slots are listed
        QCOMPARE(list->item(3)->text(), QStringLiteral("* Not Use"));
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
        window->Command(161);
        auto* dialog = static_cast<LineDialog*>(window->openDialogs().Find(DialogKind::LineSet));
        auto* list = FindControl<QListWidget>(*dialog, 101);
        for (const auto& [row, styled] :
             {std::pair{9, false}, std::pair{15, false}, std::pair{1, true}}) {
            list->setCurrentRow(row);
            QCOMPARE(FindControl<QGroupBox>(*dialog, 106)->isEnabled(), styled);
            QCOMPARE(FindControl<QRadioButton>(*dialog, 104)->isEnabled(), styled);
        }
        QVERIFY(FindControl<QRadioButton>(*dialog, 104)->isChecked());  // pictures are dotted
        Click(dialog, 103);
        dialog->move(dialog->pos() + QPoint(37, 23));
        const QPoint place = dialog->pos();
        Click(dialog, kIdApply);
        QCOMPARE(program->view.lineSets[1].style, uint8_t{0});
        QTRY_VERIFY(window->openDialogs().Find(DialogKind::LineSet));
        QWidget* reopened = window->openDialogs().Find(DialogKind::LineSet);
        QVERIFY(reopened != dialog);
        QCOMPARE(reopened->pos(), place);
        QCOMPARE(FindControl<ColourBox>(*reopened, 105)->text(),
                 QString::number(44 | 44 << 8 | 156 << 16));
    }

    void autoModeOnKeepsItsMarkWhileDisabled() {
        SaveOptionDialog dialog(15 | 16 | 32, window.get());
        auto* on = FindControl<QCheckBox>(dialog, 1048);
        QVERIFY(on->isEnabled());
        Click(&dialog, 1047);
        QVERIFY(!on->isEnabled());
        QVERIFY(on->isChecked());
        Click(&dialog, 1046);
        QCOMPARE(dialog.saveOption(), 1 | 4 | 8 | 32);
    }
};

QTEST_MAIN(CometAndAppearanceDialogsTest)
#include "comet_and_appearance_dialogs_test.moc"
