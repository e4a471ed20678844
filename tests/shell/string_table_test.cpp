// The string table of the menus, tooltips and messages.
#include <QtTest>

#include "shell/string_table.h"

class StringTableTest : public QObject {
    Q_OBJECT
  private slots:
    void stringTableHoldsTheQuotedTexts() {
        QCOMPARE(shell::LoadString(11), std::string("You can not add any more city!"));
        QCOMPARE(shell::LoadString(48), std::string("Celestial &North Pole\tN"));
        QCOMPARE(shell::LoadString(131), std::string("View(F5)"));
        QCOMPARE(shell::LoadString(40070), std::string("Increment Time"));
        QVERIFY(shell::LoadString(42).empty());
        QVERIFY(shell::LoadString(-1).empty());
    }
};

QTEST_MAIN(StringTableTest)
#include "string_table_test.moc"
