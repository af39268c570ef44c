// The row colours window driven as a user, with the colour dialog replaced.

#include "banco_database.h"
#include "database/colori.h"
#include "database/ui/finestra_colori.h"
#include "shell/ui/collocazione.h"

#include <QtWidgets>

using namespace qv;
using namespace qv::prova;

namespace {
QLabel* etichetta(QWidget* w, int i) {
    return w->findChild<QLabel*>(QStringLiteral("lbColor_%1").arg(i));
}
QColor sfondo(QWidget* w, int i) {
    return etichetta(w, i)->palette().color(QPalette::Window);
}
} // namespace

class TestFinestreColori : public QObject {
    Q_OBJECT
private slots:
    void twoLabelsConfirmed() {
        BancoDatabase b;
        FinestraColori w(b.contesto, b.database, "Colori stato MRN", 1500, 3000, "IN SOSPESO,CONCLUSI,");
        QList<QColor> visti; // the dialog's first custom colour as each dialog opens
        w.sceltaColore = [&](QWidget*, const QColor&) {
            visti << QColorDialog::customColor(0);
            QColorDialog::setCustomColor(0, QColor(10, 20, 30));
            return QColor(255, 0, 128);
        };
        Attiva(&w);
        const Schermo schermo = SchermoDi(&w);
        QCOMPARE(w.pos(),
                 QPoint(qRound(1500 / schermo.twipsPerPixelX), qRound(3000 / schermo.twipsPerPixelY)));
        QCOMPARE(QList<bool>({etichetta(&w, 1)->isVisible(), etichetta(&w, 2)->isVisible()}),
                 QList<bool>({true, false}));
        QCOMPARE(etichetta(&w, 1)->text() + " " + sfondo(&w, 1).name(), QString("CONCLUSI #eaffea"));
        QTest::mouseClick(etichetta(&w, 1), Qt::LeftButton);
        QVERIFY(b.database.ColoriGriglia[1] == 0x8000FF &&
                sfondo(&w, 1) == QColor(255, 0, 128)); // red in the low byte
        QColorDialog::setCustomColor(0, Qt::black);    // the next dialog gets it from the table
        QTest::mouseClick(etichetta(&w, 0), Qt::LeftButton);
        QCOMPARE(visti, QList<QColor>({Qt::black, QColor(10, 20, 30)}));
        QTest::mouseClick(w.findChild<QPushButton*>("Command1_1"), Qt::LeftButton);
        const QSettings ini(b.shell.FileIni, QSettings::IniFormat);
        QCOMPARE(ini.allKeys(), QStringList({"COLORIGRID/COLORE0", "COLORIGRID/COLORE1"}));
        QCOMPARE(ini.value("COLORIGRID/COLORE1").toString(), QString::number(0x8000FF));
    }

    void noColourChosen_data() {
        QTest::addColumn<QColor>("scelto");
        QTest::addColumn<int>("byte");
        QTest::newRow("cancelled: the table untouched") << QColor() << 0;
        QTest::newRow("black counts as no choice") << QColor(Qt::black) << 64;
    }
    void noColourChosen() {
        QFETCH(QColor, scelto);
        QFETCH(int, byte);
        BancoDatabase b;
        FinestraColori w(b.contesto, b.database, "Colori", 0, 0, "A,B,C,D,");
        w.sceltaColore = [&](QWidget*, const QColor&) {
            QColorDialog::setCustomColor(3, QColor(1, 2, 3));
            return scelto;
        };
        Attiva(&w);
        QTest::mouseClick(etichetta(&w, 2), Qt::LeftButton);
        QVERIFY(b.database.ColoriGriglia[2] == kColoriGrigliaPredefiniti[2] &&
                sfondo(&w, 2) == QColor(255, 253, 191));
        QCOMPARE(b.database.DbLavoro.OpenRecordset("Colori").RecordCount(), byte);
        QTest::mouseClick(w.findChild<QPushButton*>("Command1_0"), Qt::LeftButton); // ANNULLA writes nothing
        QVERIFY(!w.isVisible() && !QFile::exists(b.shell.FileIni));
    }
};

QTEST_MAIN(TestFinestreColori)
#include "test_finestre_colori.moc"
