#include <QtTest>

#include "platform/font_families.h"

class FontFamiliesTest : public QObject {
    Q_OBJECT
  private slots:
    void installedAndBuiltInFacesAreKnown() {
        QVERIFY(platform::FontFamilyKnown("DejaVu Sans"));
        QVERIFY(platform::FontFamilyKnown("Arial"));
        QVERIFY(platform::FontFamilyKnown("Symbol"));
    }

    void unknownAndEmptyFacesAreNot() {
        QVERIFY(!platform::FontFamilyKnown("No Such Face 7"));
        QVERIFY(!platform::FontFamilyKnown(""));
    }
};

QTEST_MAIN(FontFamiliesTest)
#include "font_families_test.moc"
