// Start-up and shut-down steps that need no window: first run, stored
// position checks, fixed size, caption, what shut-down records.

#include "platform/user_settings.h"
#include "shell/avvio_programma.h"
#include "shell/file_ini.h"

#include <QtTest>

using namespace qv;

class TestAvvioProgramma : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QTemporaryDir settings;
    QString ini() const { return PercorsoFileIni(dir.path()); }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    }
    void init() { QFile::remove(ini()); }

    void firstRunCentresAndCreatesFile() {
        QVERIFY(PrimoAvvio(ini(), 15360, 11520, 6600, 2550));
        QVERIFY(QFile::exists(ini()));
        QCOMPARE(LeggiIni(ini(), "STARTUP", "POSX"), QString("4380"));
        QCOMPARE(LeggiIni(ini(), "STARTUP", "POSY"), QString("4485"));
        // Not the first run any more: nothing is rewritten.
        ScriviIni(ini(), "STARTUP", "POSX", "10");
        QVERIFY(!PrimoAvvio(ini(), 15360, 11520, 6600, 2550));
        QCOMPARE(LeggiIni(ini(), "STARTUP", "POSX"), QString("10"));
    }

    void storedPosition_data() {
        QTest::addColumn<QPoint>("salvata");
        QTest::addColumn<QPointF>("atteso");
        QTest::newRow("top equal to screen height") << QPoint(300, 11520) << QPointF(300, 0);
        QTest::newRow("negative") << QPoint(-15, -1) << QPointF(0, 0);
        QTest::newRow("left off screen") << QPoint(15360, 400) << QPointF(0, 400);
    }
    void storedPosition() {
        QFETCH(QPoint, salvata);
        QFETCH(QPointF, atteso);
        ScriviIni(ini(), "STARTUP", "POSX", QString::number(salvata.x()));
        ScriviIni(ini(), "STARTUP", "POSY", QString::number(salvata.y()));
        const Punto p = PosizioneAvvio(ini(), 15360, 11520);
        QCOMPARE(QPointF(p.left, p.top), atteso);
    }

    void fixedSize_data() {
        QTest::addColumn<QList<double>>("misure"); // design height, width, non-client height
        QTest::addColumn<QSizeF>("atteso");        // fixed width, height
        QTest::newRow("small design height raised") << QList<double>{2000, 5000, 600} << QSizeF(5000, 2550);
        QTest::newRow("exactly 800 keeps width") << QList<double>{3000, 5000, 800} << QSizeF(5000, 3000);
        QTest::newRow("menu on two lines") << QList<double>{3000, 5000, 900} << QSizeF(6600, 3000);
        QTest::newRow("menu on three lines") << QList<double>{3000, 5000, 1100} << QSizeF(8100, 3000);
    }
    void fixedSize() {
        QFETCH(QList<double>, misure);
        QFETCH(QSizeF, atteso);
        const DimensioniFisse d = CalcolaDimensioniFisse(misure[0], misure[1], misure[2]);
        QCOMPARE(QSizeF(d.larghezza, d.altezza), atteso);
    }

    void caption() {
        QCOMPARE(TitoloPrincipale({2, 1, 7}),
                 QString(" INTERROGAZIONE STATO MRN ") + QString(23, ' ') + "(2.1.7)");
    }

    void shutdownPlacement_data() {
        QTest::addColumn<int>("stato");
        QTest::addColumn<QRectF>("finestra");
        QTest::addColumn<QStringList>("atteso"); // POSX, POSY, DIMX, DIMY
        QTest::newRow("negative taken as 0")
            << 0 << QRectF(-50, -20, 6600, 2550) << QStringList{"0", "0", "6600", "2550"};
        QTest::newRow("beyond the screen: position not written")
            << 0 << QRectF(16000, 12000, 6600, 2550) << QStringList{"", "", "6600", "2550"};
        QTest::newRow("maximised writes nothing") << 2 << QRectF(0, 0, 15360, 11520) << QStringList{"", "", "", ""};
    }
    void shutdownPlacement() {
        QFETCH(int, stato);
        QFETCH(QRectF, finestra);
        QFETCH(QStringList, atteso);
        SalvaPosizionePrincipale(ini(), StatoFinestra(stato),
                                 Rettangolo{finestra.x(), finestra.y(), finestra.width(), finestra.height()},
                                 15360, 11520);
        QStringList scritti;
        for (const char* chiave : {"POSX", "POSY", "DIMX", "DIMY"})
            scritti << LeggiIni(ini(), "Startup", chiave);
        QCOMPARE(scritti, atteso);
    }

    void runRecordedInUserSettings() {
        RegistraEsecuzione(dir.path(), QDate(2025, 3, 9), {1, 0, 25});
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExeRun"), QString("09/03/2025"));
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExeVersion"), QString("1.0.25"));
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExePath"),
                 QDir::toNativeSeparators(dir.path()));
    }
};

QTEST_GUILESS_MAIN(TestAvvioProgramma)
#include "test_avvio_programma.moc"
