// Window placement against a fake screen: saved sizes, the reference window,
// the screen edges and each side of the task bar.

#include "shell/file_ini.h"
#include "shell/posizione_finestre.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {

// 1024 x 768 pixels at 96 dpi: 15360 x 11520 twips.
Schermo schermo(QRect disponibile = QRect(0, 0, 1024, 768)) {
    Schermo s;
    s.geometria = QRect(0, 0, 1024, 768);
    s.disponibile = disponibile;
    return s;
}

// A reference window whose client area starts 60 twips right of its left
// edge and 600 twips below its top (borders, title and menu bar).
Riferimento riferimento(double left, double top) {
    return Riferimento{{left, top, 6600, 3000}, 6480, 2400};
}

} // namespace

class TestPosizioneFinestre : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString ini() const { return dir.filePath("Quorvan.ini"); }

private slots:
    void init() { QFile::remove(ini()); }

    void twipsPerPixel() {
        QCOMPARE(TwipsPerPixel(96), 15.0);
        QCOMPARE(TwipsPerPixel(0), 15.0);
    }

    void taskBarSide_data() {
        QTest::addColumn<QRect>("disponibile");
        QTest::addColumn<int>("lato");
        QTest::addColumn<double>("altezza");
        QTest::addColumn<double>("larghezza");
        QTest::newRow("bottom") << QRect(0, 0, 1024, 728) << 0 << 600.0 << 15360.0;
        QTest::newRow("right") << QRect(0, 0, 964, 768) << 1 << 11520.0 << 900.0;
        QTest::newRow("top") << QRect(0, 30, 1024, 738) << 2 << 450.0 << 15360.0;
        QTest::newRow("left") << QRect(60, 0, 964, 768) << 3 << 11520.0 << 900.0;
        QTest::newRow("none") << QRect(0, 0, 1024, 768) << 2 << 0.0 << 0.0;
    }
    void taskBarSide() {
        QFETCH(QRect, disponibile);
        QFETCH(int, lato);
        QFETCH(double, altezza);
        QFETCH(double, larghezza);
        const TaskBar t = PosizioneTaskBar(schermo(disponibile));
        QCOMPARE(t.LatoTaskBar, lato);
        QCOMPARE(t.altezza, altezza);
        QCOMPARE(t.larghezza, larghezza);
    }

    void restore_data() {
        QTest::addColumn<QString>("salvato"); // "KEY=value;..." in the window's section
        QTest::addColumn<bool>("sizable");
        QTest::addColumn<QRect>("disponibile");
        QTest::addColumn<QPointF>("rifPos");  // reference window's left/top
        QTest::addColumn<QSizeF>("progetto"); // design size
        QTest::addColumn<bool>("usaSalvata");
        QTest::addColumn<QRectF>("atteso");

        const QRect pieno(0, 0, 1024, 768);
        // Client area of the reference window at (1500 + 60, 1500 + 600 - 90).
        QTest::newRow("opens on the reference client area, stored place and size unused")
            << "POSX=300;POSY=400;DIMX=5000;DIMY=4000" << false << pieno << QPointF(1500, 1500)
            << QSizeF(4000, 3000) << false << QRectF(1560, 2010, 4000, 3000);
        QTest::newRow("saved size of a sizable window")
            << "DIMX=5000;DIMY=4000" << true << pieno << QPointF(1500, 1500) << QSizeF(4000, 3000) << false
            << QRectF(1560, 2010, 5000, 4000);
        QTest::newRow("DIMX wider than the screen gives exactly the screen")
            << "DIMX=20000" << true << pieno << QPointF(0, 0) << QSizeF(4000, 3000) << false
            << QRectF(0, 510, 15360, 3000);
        QTest::newRow("stored position used on request")
            << "POSX=300;POSY=400" << false << pieno << QPointF(1500, 1500) << QSizeF(4000, 3000) << true
            << QRectF(300, 400, 4000, 3000);
        QTest::newRow("negative stored position centres")
            << "POSX=-1;POSY=-1;WSTATE=0" << false << pieno << QPointF(1500, 1500) << QSizeF(4000, 3000)
            << true << QRectF(5680, 4260, 4000, 3000);
        QTest::newRow("bottom edge under the bottom task bar moves up to touch it")
            << "" << false << QRect(0, 0, 1024, 728) << QPointF(1500, 8000) << QSizeF(4000, 3000) << false
            << QRectF(1560, 11520 - 600 - 3000, 4000, 3000);
        QTest::newRow("taller than the screen opens at the top")
            << "DIMY=20000" << true << QRect(0, 0, 1024, 728) << QPointF(0, 0) << QSizeF(4000, 3000) << false
            << QRectF(60, 0, 4000, 11520);
        QTest::newRow("right task bar is kept clear")
            << "" << false << QRect(0, 0, 964, 768) << QPointF(11000, 0) << QSizeF(4000, 3000) << false
            << QRectF(15360 - 900 - 4000, 510, 4000, 3000);
        QTest::newRow("left task bar: never under it")
            << "" << false << QRect(60, 0, 964, 768) << QPointF(0, 0) << QSizeF(4000, 3000) << false
            << QRectF(900, 510, 4000, 3000);
    }
    void restore() {
        QFETCH(QString, salvato);
        QFETCH(bool, sizable);
        QFETCH(QRect, disponibile);
        QFETCH(QPointF, rifPos);
        QFETCH(QSizeF, progetto);
        QFETCH(bool, usaSalvata);
        QFETCH(QRectF, atteso);
        for (const QString& coppia : salvato.split(';', Qt::SkipEmptyParts))
            ScriviIni(ini(), "Prova", coppia.section('=', 0, 0), coppia.section('=', 1));

        TaskBar t;
        const Collocazione c =
            RipristinaFinestra(ini(), Finestra{"Prova", sizable, progetto.width(), progetto.height()},
                               schermo(disponibile), riferimento(rifPos.x(), rifPos.y()), t, usaSalvata);
        QVERIFY(!c.massimizzata);
        QCOMPARE(QRectF(c.rettangolo.left, c.rettangolo.top, c.rettangolo.width, c.rettangolo.height),
                 atteso);
    }

    void withoutReferenceStoredPositionStays() {
        ScriviIni(ini(), "Prova", "POSX", "300");
        ScriviIni(ini(), "Prova", "POSY", "-5");
        TaskBar t;
        const Collocazione c =
            RipristinaFinestra(ini(), Finestra{"Prova", false, 4000, 3000}, schermo(), std::nullopt, t);
        QCOMPARE(c.rettangolo.left, 300.0);
        QCOMPARE(c.rettangolo.top, 4260.0);
    }

    void save_data() {
        QTest::addColumn<int>("stato");
        QTest::addColumn<bool>("sizable");
        QTest::addColumn<QString>("wstate");
        QTest::addColumn<QString>("dimx");
        QTest::addColumn<QString>("posx");
        QTest::newRow("normal sizable") << 0 << true << "0" << "5000" << "300";
        QTest::newRow("normal fixed") << 0 << false << "0" << "old" << "300";
        QTest::newRow("minimised is recorded maximised") << 1 << true << "2" << "old" << "old";
    }
    void save() {
        QFETCH(int, stato);
        QFETCH(bool, sizable);
        QFETCH(QString, wstate);
        QFETCH(QString, dimx);
        QFETCH(QString, posx);
        ScriviIni(ini(), "Prova", "DIMX", "old");
        ScriviIni(ini(), "Prova", "POSX", "old");
        SalvaFinestra(ini(), "Prova", StatoFinestra(stato), sizable, Rettangolo{300, 400, 5000, 4000});
        QCOMPARE(LeggiIni(ini(), "Prova", "WSTATE"), wstate);
        QCOMPARE(LeggiIni(ini(), "Prova", "DIMX"), dimx);
        QCOMPARE(LeggiIni(ini(), "Prova", "POSX"), posx);
    }

    void minimisedReopensMaximised() {
        SalvaFinestra(ini(), "Prova", StatoFinestra::Minimizzata, true, Rettangolo{300, 400, 5000, 4000});
        TaskBar t;
        QVERIFY(
            RipristinaFinestra(ini(), Finestra{"Prova", true, 4000, 3000}, schermo(), riferimento(0, 0), t)
                .massimizzata);
    }
};

QTEST_GUILESS_MAIN(TestPosizioneFinestre)
#include "test_posizione_finestre.moc"
