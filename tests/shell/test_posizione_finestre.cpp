// Window placement against a fake screen: saved sizes, the reference window,
// the screen edges and each side of the task bar.

#include "shell/file_ini.h"
#include "shell/posizione_finestre.h"

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
        QTest::addColumn<QPointF>("rif"); // reference window's left/top; negative: none
        QTest::addColumn<bool>("usaSalvata");
        QTest::addColumn<QRectF>("atteso"); // empty: maximised
        // Every window is designed 4000 x 3000; the reference client area is at (left + 60, top + 510).
        const QRect pieno(0, 0, 1024, 768), basso(0, 0, 1024, 728);
        const QPointF rif(1500, 1500), zero(0, 0);
        QTest::newRow("on the reference, stored place and size unused")
            << "POSX=300;POSY=400;DIMX=5000;DIMY=4000" << false << pieno << rif << false << QRectF(1560, 2010, 4000, 3000);
        QTest::newRow("saved size of a sizable window") << "DIMX=5000;DIMY=4000" << true << pieno << rif << false << QRectF(1560, 2010, 5000, 4000);
        QTest::newRow("DIMX wider than the screen: the screen") << "DIMX=20000" << true << pieno << zero << false << QRectF(0, 510, 15360, 3000);
        QTest::newRow("stored position on request") << "POSX=300;POSY=400" << false << pieno << rif << true << QRectF(300, 400, 4000, 3000);
        QTest::newRow("negative stored position centres") << "POSX=-1;POSY=-1" << false << pieno << rif << true << QRectF(5680, 4260, 4000, 3000);
        QTest::newRow("no reference: stored position, top centred") << "POSX=300;POSY=-5" << false << pieno << QPointF(-1, -1) << false << QRectF(300, 4260, 4000, 3000);
        QTest::newRow("under the bottom task bar: moved up") << "" << false << basso << QPointF(1500, 8000) << false << QRectF(1560, 7920, 4000, 3000);
        QTest::newRow("taller than the screen: at the top") << "DIMY=20000" << true << basso << zero << false << QRectF(60, 0, 4000, 11520);
        QTest::newRow("right task bar kept clear") << "" << false << QRect(0, 0, 964, 768) << QPointF(11000, 0) << false << QRectF(10460, 510, 4000, 3000);
        QTest::newRow("left task bar: never under it") << "" << false << QRect(60, 0, 964, 768) << zero << false << QRectF(900, 510, 4000, 3000);
        QTest::newRow("minimised reopens maximised") << "WSTATE=2" << true << pieno << zero << false << QRectF();
    }
    void restore() {
        QFETCH(QString, salvato);
        QFETCH(bool, sizable);
        QFETCH(QRect, disponibile);
        QFETCH(QPointF, rif);
        QFETCH(bool, usaSalvata);
        QFETCH(QRectF, atteso);
        for (const QString& coppia : salvato.split(';', Qt::SkipEmptyParts))
            ScriviIni(ini(), "Prova", coppia.section('=', 0, 0), coppia.section('=', 1));
        TaskBar t;
        const auto r = rif.x() < 0 ? std::nullopt : std::optional(Riferimento{{rif.x(), rif.y(), 6600, 3000}, 6480, 2400});
        const Collocazione c = RipristinaFinestra(ini(), Finestra{"Prova", sizable, 4000, 3000}, schermo(disponibile), r, t, usaSalvata);
        QCOMPARE(c.massimizzata, atteso.isEmpty());
        if (!c.massimizzata) QCOMPARE(QRectF(c.rettangolo.left, c.rettangolo.top, c.rettangolo.width, c.rettangolo.height), atteso);
    }

    void save_data() {
        QTest::addColumn<int>("stato");
        QTest::addColumn<bool>("sizable");
        QTest::addColumn<QStringList>("atteso"); // WSTATE, DIMX, POSX
        QTest::newRow("normal sizable") << 0 << true << QStringList{"0", "5000", "300"};
        QTest::newRow("normal fixed") << 0 << false << QStringList{"0", "old", "300"};
        QTest::newRow("minimised is recorded maximised") << 1 << true << QStringList{"2", "old", "old"};
    }
    void save() {
        QFETCH(int, stato);
        QFETCH(bool, sizable);
        QFETCH(QStringList, atteso);
        ScriviIni(ini(), "Prova", "DIMX", "old");
        ScriviIni(ini(), "Prova", "POSX", "old");
        SalvaFinestra(ini(), "Prova", StatoFinestra(stato), sizable, Rettangolo{300, 400, 5000, 4000});
        QStringList scritti;
        for (const char* chiave : {"WSTATE", "DIMX", "POSX"})
            scritti << LeggiIni(ini(), "Prova", chiave);
        QCOMPARE(scritti, atteso);
    }
};

QTEST_GUILESS_MAIN(TestPosizioneFinestre)
#include "test_posizione_finestre.moc"
