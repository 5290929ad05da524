#include "support/harness.h"

#include "support/testmain.h"

#include <QtTest>

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    void windowTitleAndBackground();
};

void TstStartup::windowTitleAndBackground()
{
    Harness h;
    h.show();
    QCOMPARE(h.test.windowTitle(), QStringLiteral("視野検査(15×19)"));
    QCOMPARE(h.test.picture().pixelColor(5, 5), QColor(64, 64, 64));
}

SHIYA_TEST_MAIN(TstStartup)

#include "tst_startup.moc"
