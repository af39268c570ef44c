// The nations windows driven as a user: maintenance, its list, the look-up.

#include "banco_database.h"
#include "database/nazioni.h"
#include "database/ui/finestra_nazioni.h"
#include "database/ui/finestra_ricerca_nazione.h"

#include <QtWidgets>

using namespace qv;
using namespace qv::prova;

namespace {
QLineEdit* campo(QWidget* w, const char* nome) {
    return w->findChild<QLineEdit*>(nome);
}
void clic(QWidget* w, const char* pulsante) {
    QTest::mouseClick(w->findChild<QPushButton*>(pulsante), Qt::LeftButton);
}
void scrivi(QWidget* w, const char* nome, const QString& testo) {
    campo(w, nome)->setFocus();
    campo(w, nome)->clear();
    QTest::keyClicks(campo(w, nome), testo);
    QTest::keyClick(campo(w, nome), Qt::Key_Return);
}
bool conBandiera(QWidget* w) {
    const auto* b = w->findChild<QLabel*>("PctFlag");
    return b->isVisible() && !b->pixmap().isNull();
}
} // namespace

class TestFinestreNazioni : public QObject {
    Q_OBJECT
private slots:
    void maintenance() {
        BancoDatabase b;
        FinestraNazioni w(b.contesto, b.database);
        Attiva(&w);
        scrivi(&w, "Cod1", "i"); // a prefix: its first nation, with its shipped flag
        QCOMPARE(campo(&w, "Btxt")->text(), QString("IRLANDA"));
        QCOMPARE(w.windowTitle(), QString("VARIAZIONE NAZIONI CEE"));
        QVERIFY(conBandiera(&w));
        QTest::keyClick(&w, Qt::Key_Down);
        QTest::keyClick(&w, Qt::Key_Down);
        clic(&w, "Muoviti_0");
        QCOMPARE(campo(&w, "Cod1")->text(), QString("IT"));
        b.messaggi.accoda(Risposta::Si); // a nation entered by hand has no flag
        scrivi(&w, "Cod1", "HR");
        QCOMPARE(w.windowTitle(), QString("INSERIMENTO NAZIONI CEE"));
        QTest::keyClicks(campo(&w, "Btxt"), "croazia");
        clic(&w, "Cmdv_0");
        scrivi(&w, "Cod1", "HR");
        QCOMPARE(campo(&w, "Btxt")->text(), QString("CROAZIA"));
        QVERIFY(!conBandiera(&w));
        b.messaggi.accoda(Risposta::Si);
        clic(&w, "Cmdv_1");
        scrivi(&w, "Cod1", "HR"); // deleted: asked again, answered No
        scrivi(&w, "Cod1", "");
        QCOMPARE(b.testi(), QStringList({"NAZIONE INESISTENTE: INSERISCI / QUORVAN -INSERIMENTO",
                                         "CONFERMI LA CANCELLAZIONE DELLA NAZIONE / QUORVAN -ELIMINAZIONE",
                                         "NAZIONE INESISTENTE: INSERISCI / QUORVAN -INSERIMENTO",
                                         "INDICARE UNA NAZIONE / QUORVAN -CODICE"}));
        QCOMPARE(b.messaggi.mostrati()[1].predefinito, 1); // No
        clic(&w, "Cmdv_3");
        QVERIFY(!b.database.NazioniAperta);
    }

    void chosenFromTheSortedList() {
        BancoDatabase b;
        FinestraNazioni w(b.contesto, b.database);
        Attiva(&w);
        QStringList primi;
        QTimer::singleShot(0, [&] { // runs once the list is open
            auto* griglia = QApplication::activeModalWidget()->findChild<QTableView*>("TDBGrid1");
            const auto primo = [&] { primi << griglia->model()->index(0, 0).data().toString(); };
            primo();
            for (const auto& [colonna, tasto] :
                 {std::pair{1, Qt::RightButton}, {0, Qt::RightButton}, {1, Qt::LeftButton}}) {
                const int x = griglia->horizontalHeader()->sectionViewportPosition(colonna) + 5;
                QTest::mouseClick(griglia->horizontalHeader()->viewport(), tasto, {}, QPoint(x, 5));
                primo();
            }
            QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {},
                              griglia->visualRect(griglia->model()->index(2, 1)).center()); // BULGARIA
            QTest::keyClick(griglia, Qt::Key_Return);
        });
        QTest::keyClick(&w, Qt::Key_F4);
        QCOMPARE(primi, QStringList({"AT", "HU", "SK", "AT"}));
        QCOMPARE(campo(&w, "Btxt")->text(), QString("BULGARIA"));
    }

    void closesWithoutItsTable() {
        BancoDatabase b;
        b.database.DbLavoro.DeleteTableDef("Nazioni");
        b.messaggi.accoda(Risposta::Annulla);
        FinestraNazioni w(b.contesto, b.database);
        w.show();
        QCoreApplication::processEvents();
        QVERIFY(!w.isVisible());
    }

    void lookUpWithoutDatabase_data() {
        QTest::addColumn<QString>("codici");
        QTest::addColumn<int>("voci");
        QTest::addColumn<QString>("descrizione");
        QTest::addColumn<QStringList>("messaggi");
        const QStringList ignota{"NAZIONE INESISTENTE\nLa inserisco / NUOVA NAZIONE",
                                 "NAZIONE NON CODIFICATA / QUORVAN -ERRORE N. 1"};
        QTest::newRow("listed") << "AT,IT," << 2 << "ITALIA" << QStringList();
        QTest::newRow("last code without its comma") << "AT,IT" << 1 << "" << ignota;
        QTest::newRow("not listed") << "AT,FR," << 2 << "" << ignota;
    }
    void lookUpWithoutDatabase() {
        QFETCH(QString, codici);
        QFETCH(int, voci);
        QFETCH(QString, descrizione);
        QFETCH(QStringList, messaggi);
        BancoDatabase b(false);
        ScriviIni(b.shell.FileIni, "NAZIONI", "CODICI", codici);
        ScriviIni(b.shell.FileIni, "NAZIONI", "IT", "ITALIA");
        const ElencoNazioni elenco = CaricaElencoNazioni(b.shell.FileIni);
        FinestraRicercaNazione w(b.contesto, b.database, elenco);
        Attiva(&w);
        QCOMPARE(w.findChild<QComboBox*>("cbNazioni")->count(), voci);
        b.messaggi.accoda(Risposta::No);
        scrivi(&w, "Txt_0", "it");
        QCOMPARE(campo(&w, "Txt_1")->text(), descrizione);
        QCOMPARE(b.testi(), messaggi);
        QCOMPARE(conBandiera(&w), messaggi.isEmpty()); // from the window's own images
        if (!messaggi.isEmpty()) QCOMPARE(b.messaggi.mostrati()[1].icona, Icona::Critica);
        QCOMPARE(QApplication::focusWidget(), messaggi.isEmpty() ? campo(&w, "Txt_1") : campo(&w, "Txt_0"));
        clic(&w, "Command1_0"); // CONFERMA clears
        QVERIFY((campo(&w, "Txt_0")->text() + campo(&w, "Txt_1")->text()).isEmpty() && !conBandiera(&w));
        auto* combo = w.findChild<QComboBox*>("cbNazioni"); // "AT - ": its code looked up
        combo->showPopup();
        QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {},
                          combo->view()->visualRect(combo->model()->index(0, 0)).center());
        QVERIFY(campo(&w, "Txt_0")->text() == "AT" && conBandiera(&w));
    }
};

QTEST_MAIN(TestFinestreNazioni)
#include "test_finestre_nazioni.moc"
