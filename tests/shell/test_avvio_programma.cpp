// Start-up and shut-down steps that need no window: first run, stored
// position checks, fixed size, caption, what shut-down records.

#include "platform/user_settings.h"
#include "shell/avvio_programma.h"
#include "shell/file_ini.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
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
        QTest::addColumn<QString>("posx");
        QTest::addColumn<QString>("posy");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("inside") << "300" << "400" << 300.0 << 400.0;
        QTest::newRow("top equal to screen height") << "300" << "11520" << 300.0 << 0.0;
        QTest::newRow("negative") << "-15" << "-1" << 0.0 << 0.0;
        QTest::newRow("left off screen") << "15360" << "400" << 0.0 << 400.0;
    }
    void storedPosition() {
        QFETCH(QString, posx);
        QFETCH(QString, posy);
        QFETCH(double, left);
        QFETCH(double, top);
        ScriviIni(ini(), "STARTUP", "POSX", posx);
        ScriviIni(ini(), "STARTUP", "POSY", posy);
        const Punto p = PosizioneAvvio(ini(), 15360, 11520);
        QCOMPARE(p.left, left);
        QCOMPARE(p.top, top);
    }

    void fixedSize_data() {
        QTest::addColumn<double>("altezza");
        QTest::addColumn<double>("larghezza");
        QTest::addColumn<double>("nonClient");
        QTest::addColumn<double>("attesaAltezza");
        QTest::addColumn<double>("attesaLarghezza");
        QTest::newRow("small design height raised") << 2000.0 << 5000.0 << 600.0 << 2550.0 << 5000.0;
        QTest::newRow("exactly 800 keeps width") << 3000.0 << 5000.0 << 800.0 << 3000.0 << 5000.0;
        QTest::newRow("menu on two lines") << 3000.0 << 5000.0 << 900.0 << 3000.0 << 6600.0;
        QTest::newRow("menu on three lines") << 3000.0 << 5000.0 << 1100.0 << 3000.0 << 8100.0;
    }
    void fixedSize() {
        QFETCH(double, altezza);
        QFETCH(double, larghezza);
        QFETCH(double, nonClient);
        QFETCH(double, attesaAltezza);
        QFETCH(double, attesaLarghezza);
        const DimensioniFisse d = CalcolaDimensioniFisse(altezza, larghezza, nonClient);
        QCOMPARE(d.altezza, attesaAltezza);
        QCOMPARE(d.larghezza, attesaLarghezza);
    }

    void caption() {
        QCOMPARE(TitoloPrincipale({2, 1, 7}),
                 QString(" INTERROGAZIONE STATO MRN ") + QString(23, ' ') + "(2.1.7)");
        QCOMPARE(TestoVersione({1, 0, 25}), QString("1.0.25"));
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
        QCOMPARE((QStringList{LeggiIni(ini(), "Startup", "POSX"), LeggiIni(ini(), "Startup", "POSY"),
                              LeggiIni(ini(), "Startup", "DIMX"), LeggiIni(ini(), "Startup", "DIMY")}),
                 atteso);
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
