// Code checks with their exact rejection messages, an MRN's kind, the enquiry addresses,
// and the configuration the enquiry loads: addresses, page options and the
// request time-out.

#include "file_prova.h"
#include "dati_prova.h"
#include "enquiry/codici_web.h"
#include "enquiry/stato_web.h"
#include "shell/file_ini.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {

IntervalloVat r(int a, int b) { return {std::uint8_t(a), std::uint8_t(b)}; }

// The default nation list, as start-up loads it with its trailing empty
// entry, plus nations with the odd range combinations the defaults lack.
ElencoNazioni nazioniDiProva() {
    ElencoNazioni e = prova::nazioniPredefinite();
    const QList<std::pair<QString, LunghezzeVatNazione>> strane = {
        {QStringLiteral("AA"), LunghezzeVatNazione{}},                         // no range in use
        {QStringLiteral("BB"), LunghezzeVatNazione{r(5, 0)}},                  // minimum without maximum
        {QStringLiteral("DD"), LunghezzeVatNazione{r(3, 4), r(0, 9), r(7, 8)}}, // range 2 not in use
        {QStringLiteral("ZZ"), LunghezzeVatNazione{r(2, 2), r(4, 4), r(6, 6)}}, // three ranges
        {QString(), LunghezzeVatNazione{}}};
    for (const auto& [codice, lunghezze] : strane) {
        e.CodiciNazioni << codice;
        e.NomiNazioni << QString();
        e.LunghezzeVat << lunghezze;
    }
    return e;
}

} // namespace

class TestCodiciWeb : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString ini() const { return dir.filePath(QStringLiteral("Quorvan.ini")); }

private slots:
    void mrn_data() {
        QTest::addColumn<QString>("mrn");
        QTest::addColumn<QString>("atteso");
        const QString lunghezza = QStringLiteral("*** Lunghezza numero MRN errata (18 caratteri)");
        const QString tipo = QStringLiteral("*** Tipo MRN errato (T=Transito, E=Export)");
        QTest::newRow("export") << "24IT123456789012E1" << "";
        QTest::newRow("17 characters") << "24IT123456789012E" << lunghezza;
        QTest::newRow("18 with blanks around") << " 24IT1234567890E1 " << lunghezza;
        QTest::newRow("20 characters") << "24IT123456789012E123" << "";
        QTest::newRow("lower-case kind") << "24IT123456789012e1" << tipo;
        // The kind is read from the untrimmed text: a leading blank shifts it.
        QTest::newRow("leading blank shifts the kind") << " 24IT123456789012E1" << tipo;
        QTest::newRow("leading blank, kind in place") << " 24IT12345678901E12" << "";
        QTest::newRow("tab is no blank") << "\t24IT12345678901E1" << "";
    }
    void mrn() {
        QFETCH(QString, mrn);
        QFETCH(QString, atteso);
        QCOMPARE(ControllaMrn(mrn), atteso);
    }

    void vat_data() {
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("Italy 11") << "IT12345678901" << "";
        QTest::newRow("Italy 10") << "IT1234567890" << "*** Lunghezza VAT errata 11-11";
        QTest::newRow("empty") << "" << "*** Codice VAT non indicato ";
        QTest::newRow("unknown nation") << "XX123" << "*** Nazione CEE  'XX'  inesistente ";
        QTest::newRow("nations by case") << "it12345678901" << "*** Nazione CEE  'it'  inesistente ";
        QTest::newRow("one character") << "I" << "*** Nazione CEE  'I'  inesistente ";
        QTest::newRow("blanks") << "   " << "*** Nazione CEE  '  '  inesistente ";
        QTest::newRow("Lithuania 10") << "LT1234567890" << "*** Lunghezza VAT errata 9-9, 12-12";
        QTest::newRow("no range in use") << "AA123" << "*** Lunghezza VAT errata ";
        QTest::newRow("minimum without maximum") << "BB12345" << "*** Lunghezza VAT errata 5";
        QTest::newRow("range 2 not in use") << "DD12" << "*** Lunghezza VAT errata 3-4";
        QTest::newRow("range 3 beyond unused 2") << "DD1234567" << "*** Lunghezza VAT errata 3-4";
        QTest::newRow("third of three") << "ZZ123456" << "";
        QTest::newRow("none of three") << "ZZ123" << "*** Lunghezza VAT errata 2-2, 4-4, 6-6";
    }
    void vat() {
        QFETCH(QString, vat);
        QFETCH(QString, atteso);
        QCOMPARE(ControllaVat(vat, nazioniDiProva()), atteso);
    }

    // The 17th character as given: the code check, the cache addresses, the
    // page choice and the archive row's state all read the kind here.
    void tipo_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<TipoMrn>("tipo");
        QTest::newRow("export") << "24IT000000000001E1" << TipoMrn::Esportazione;
        QTest::newRow("transit") << "24IT000000000001T1" << TipoMrn::Transito;
        QTest::newRow("17 characters are enough") << "24IT000000000001T" << TipoMrn::Transito;
        QTest::newRow("16 characters") << "24IT000000000001" << TipoMrn::Nessuno;
        QTest::newRow("empty") << "" << TipoMrn::Nessuno;
        QTest::newRow("lower case is no kind") << "24IT000000000001e1" << TipoMrn::Nessuno;
        QTest::newRow("other letter") << "24IT000000000001X1" << TipoMrn::Nessuno;
        QTest::newRow("read as given: a leading blank moves the kind") << " 24IT000000000001E1" << TipoMrn::Nessuno;
    }
    void tipo() {
        QFETCH(QString, codice);
        QFETCH(TipoMrn, tipo);
        QCOMPARE(tipoMrn(codice), tipo);
    }

    void tipoCodice() {
        QVERIFY(ECodiceVat(QStringLiteral("24IT123456789012E")));
        QVERIFY(!ECodiceVat(QStringLiteral("24IT123456789012E1")));
        QVERIFY(ECodiceVat(QString()));
    }

    void indirizzi() {
        StatoWeb web;
        web.UrlExport = QStringLiteral("http://h/e?mrn=");
        web.UrlTransiti = QStringLiteral("http://h/t?mrn=");
        web.UrlVat = QStringLiteral("http://v/vies?stato=");
        web.UrlVatPiva = QStringLiteral("&piva=");
        // The code is appended as it is; a VAT code too short for a number gets an empty one.
        QCOMPARE(IndirizzoTransito(web, QStringLiteral("A B&C")), QStringLiteral("http://h/t?mrn=A B&C"));
        QCOMPARE(IndirizzoVat(web, QStringLiteral("I")), QStringLiteral("http://v/vies?stato=I&piva="));
        // Cache entries: the export address always, the transit one for kind "T".
        QCOMPARE(CancellaCacheUrl(web, QStringLiteral("24IT123456789012E1")),
                 QStringList{QStringLiteral("http://h/e?mrn=24IT123456789012E1")});
        QCOMPARE(CancellaCacheUrl(web, QStringLiteral("24IT123456789012T1")),
                 (QStringList{QStringLiteral("http://h/e?mrn=24IT123456789012T1"),
                              QStringLiteral("http://h/t?mrn=24IT123456789012T1")}));
        QCOMPARE(CancellaCacheUrl(web, QStringLiteral("IT1")), QStringList{QStringLiteral("http://h/e?mrn=IT1")});
    }

    void indirizziLetti_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("esportazione");
        QTest::addColumn<QString>("vatPiva");
        QTest::newRow("no file") << QByteArray() << UrlExportPredefinito() << "&piva=";
        QTest::newRow("set") << QByteArray("[indirizziweb]\nexport=http://x/e?m=\nVATPIVA=&n=\n") << "http://x/e?m="
                             << "&n=";
    }
    void indirizziLetti() {
        QFETCH(QByteArray, file);
        QFETCH(QString, esportazione);
        QFETCH(QString, vatPiva);
        QFile::remove(ini());
        if (!file.isEmpty())
            scriviFile(ini(), file);
        StatoWeb web;
        LeggiIndirizziWeb(ini(), web);
        QCOMPARE(web.UrlExport, esportazione);
        QCOMPARE(web.UrlVatPiva, vatPiva);
    }

    void secondiAttesa_data() {
        QTest::addColumn<QString>("valore");
        QTest::addColumn<int>("secondi");
        QTest::newRow("missing") << QString() << 60;
        QTest::newRow("zero") << "0" << 60;
        QTest::newRow("too long") << "100000" << 60;
        QTest::newRow("fraction") << "2.5" << 2;
    }
    void secondiAttesa() {
        QFETCH(QString, valore);
        QFETCH(int, secondi);
        QFile::remove(ini());
        if (!valore.isNull())
            ScriviIni(ini(), QStringLiteral("INDIRIZZIWEB"), QStringLiteral("ATTESA"), valore);
        QCOMPARE(LeggiSecondiAttesa(ini()), secondi);
    }

    void opzioniLette_data() {
        QTest::addColumn<QString>("valore");
        QTest::addColumn<int>("numero");
        QTest::newRow("missing") << QString() << 0;
        QTest::newRow("two") << "2" << 2;
        QTest::newRow("huge is clamped") << "99999999" << 32767;
    }
    void opzioniLette() {
        QFETCH(QString, valore);
        QFETCH(int, numero);
        QFile::remove(ini());
        if (!valore.isNull()) {
            ScriviIni(ini(), QStringLiteral("WEBPARAM"), QStringLiteral("View2"), valore);
            ScriviIni(ini(), QStringLiteral("WEBPARAM"), QStringLiteral("IESkede"), valore);
        }
        StatoWeb web;
        CaricaOpzioniPagine(ini(), web);
        QCOMPARE(web.Opzioni[2].View, numero);
        QCOMPARE(web.IESkede, numero);
        QCOMPARE(web.Opzioni[1].View, 0);
    }

    void opzioniScritte() {
        QFile::remove(ini());
        StatoWeb web;
        web.IESkede = 1;
        web.Opzioni[1] = OpzioniPagina{1, 1, QStringLiteral("  /tmp/pagine  "), 0, 1, QStringLiteral("PDF")};
        web.Opzioni[2].View = 1; // another context: not written
        ScriviOpzioniContesto(ini(), web, 1);
        QCOMPARE(leggiFile(ini()), QByteArray("[WEBPARAM]\r\nIESkede=1\r\nView1=1\r\nSave1=1\r\nDirSave1=  /tmp/pagine  \r\n"
                                   "Print1=0\r\nChPrt1=1\r\nStampante1=PDF\r\n"));
        StatoWeb letto;
        CaricaOpzioniPagine(ini(), letto);
        QCOMPARE(letto.IESkede, 1);
        QCOMPARE(letto.Opzioni[1].DirSave, QStringLiteral("/tmp/pagine"));
        QCOMPARE(letto.Opzioni[1].ChPrt, 1);
        QCOMPARE(letto.Opzioni[1].Stampante, QStringLiteral("PDF"));
        QCOMPARE(letto.Opzioni[2].View, 0);
        ScriviOpzioniContesto(ini(), web, 3); // no such context: nothing written
        QCOMPARE(LeggiIni(ini(), QStringLiteral("WEBPARAM"), QStringLiteral("View3")), QString());
    }

    void contestoFuoriIntervallo() {
        StatoWeb web;
        web.Opzioni[2].Save = 7;
        web.ContestoWeb = 2;
        QCOMPARE(web.opzioniCorrenti().Save, 7);
        web.ContestoWeb = -1;
        QCOMPARE(web.opzioniCorrenti().Save, 0);
    }

};

QTEST_GUILESS_MAIN(TestCodiciWeb)
#include "test_codici_web.moc"
