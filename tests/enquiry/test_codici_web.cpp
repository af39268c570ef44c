// Code checks with their exact rejection messages, an MRN's kind, and the
// configuration the enquiry loads: addresses, page options, request time-out.

#include "file_prova.h"
#include "enquiry/codici_web.h"
#include "enquiry/stato_web.h"
#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {

IntervalloVat r(int a, int b) { return {std::uint8_t(a), std::uint8_t(b)}; }

// The nations start-up loads, plus the range combinations the defaults lack.
ElencoNazioni nazioniDiProva(const QString& ini) {
    ElencoNazioni e = CaricaElencoNazioni(ini);
    const QList<std::pair<QString, LunghezzeVatNazione>> strane = {
        {QStringLiteral("AA"), LunghezzeVatNazione{}},
        {QStringLiteral("BB"), LunghezzeVatNazione{r(5, 0)}},
        {QStringLiteral("DD"), LunghezzeVatNazione{r(3, 4), r(0, 9), r(7, 8)}},
        {QStringLiteral("ZZ"), LunghezzeVatNazione{r(2, 2), r(4, 4), r(6, 6)}}};
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
    void init() { QFile::remove(ini()); }

    // Up to 17 characters a code is a VAT number, from 18 an MRN.
    void codici_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("export") << "24IT123456789012E1" << "";
        QTest::newRow("17 characters: a VAT number") << "24IT123456789012E" << "*** Nazione CEE  '24'  inesistente ";
        QTest::newRow("18 with blanks around") << " 24IT1234567890E1 " << "*** Lunghezza numero MRN errata (18 caratteri)";
        QTest::newRow("no kind") << "24IT123456789012e1" << "*** Tipo MRN errato (T=Transito, E=Export)";
        QTest::newRow("Italy 11") << "IT12345678901" << "";
        QTest::newRow("Italy 10") << "IT1234567890" << "*** Lunghezza VAT errata 11-11";
        QTest::newRow("empty") << "" << "*** Codice VAT non indicato ";
        QTest::newRow("unknown nation") << "XX123" << "*** Nazione CEE  'XX'  inesistente ";
        QTest::newRow("no range in use") << "AA123" << "*** Lunghezza VAT errata ";
        QTest::newRow("minimum without maximum") << "BB12345" << "*** Lunghezza VAT errata 5";
        QTest::newRow("range 3 beyond unused 2") << "DD1234567" << "*** Lunghezza VAT errata 3-4";
        QTest::newRow("third of three") << "ZZ123456" << "";
        QTest::newRow("none of three") << "ZZ123" << "*** Lunghezza VAT errata 2-2, 4-4, 6-6";
    }
    void codici() {
        QFETCH(QString, codice);
        QFETCH(QString, atteso);
        QCOMPARE(ECodiceVat(codice) ? ControllaVat(codice, nazioniDiProva(ini())) : ControllaMrn(codice), atteso);
    }

    void tipo_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<TipoMrn>("tipo");
        QTest::newRow("export") << "24IT000000000001E1" << TipoMrn::Esportazione;
        QTest::newRow("17 characters are enough") << "24IT000000000001T" << TipoMrn::Transito;
        QTest::newRow("16 characters") << "24IT000000000001" << TipoMrn::Nessuno;
        QTest::newRow("read as given: a leading blank moves the kind") << " 24IT000000000001E1" << TipoMrn::Nessuno;
    }
    void tipo() {
        QFETCH(QString, codice);
        QFETCH(TipoMrn, tipo);
        QCOMPARE(tipoMrn(codice), tipo);
    }

    void indirizzi() {
        StatoWeb web;
        LeggiIndirizziWeb(ini(), web);
        QCOMPARE(web.UrlExport, UrlExportPredefinito());
        scriviFile(ini(), "[indirizziweb]\nexport=http://h/e?mrn=\nTRANSITI=http://h/t?mrn=\nvat=http://v/vies?stato=\nVATPIVA=&n=\n");
        LeggiIndirizziWeb(ini(), web);
        QCOMPARE(IndirizzoVat(web, QStringLiteral("I")), QStringLiteral("http://v/vies?stato=I&n="));
        QCOMPARE(CancellaCacheUrl(web, QStringLiteral("24IT123456789012E1")),
                 QStringList{QStringLiteral("http://h/e?mrn=24IT123456789012E1")});
        QCOMPARE(CancellaCacheUrl(web, QStringLiteral("24IT123456789012T1")),
                 (QStringList{QStringLiteral("http://h/e?mrn=24IT123456789012T1"),
                              QStringLiteral("http://h/t?mrn=24IT123456789012T1")}));
    }

    void secondiAttesa_data() {
        QTest::addColumn<QString>("valore");
        QTest::addColumn<int>("secondi");
        QTest::newRow("zero") << "0" << 60;
        QTest::newRow("just above 1, whole seconds") << "1.5" << 1;
        QTest::newRow("just above an hour") << "3601" << 60;
    }
    void secondiAttesa() {
        QFETCH(QString, valore);
        QFETCH(int, secondi);
        ScriviIni(ini(), QStringLiteral("INDIRIZZIWEB"), QStringLiteral("ATTESA"), valore);
        QCOMPARE(LeggiSecondiAttesa(ini()), secondi);
    }

    void opzioniScritteERilette() {
        StatoWeb web;
        web.IESkede = 1;
        web.Opzioni[1] = OpzioniPagina{1, 1, QStringLiteral("  /tmp/pagine  "), 0, 1, QStringLiteral("PDF")};
        web.Opzioni[2].View = 1; // another context: not written
        ScriviOpzioniContesto(ini(), web, 1);
        QCOMPARE(leggiFile(ini()), QByteArray("[WEBPARAM]\r\nIESkede=1\r\nView1=1\r\nSave1=1\r\nDirSave1=  /tmp/pagine  \r\n"
                                   "Print1=0\r\nChPrt1=1\r\nStampante1=PDF\r\n"));
        ScriviIni(ini(), QStringLiteral("WEBPARAM"), QStringLiteral("View2"), QStringLiteral("99999999"));
        StatoWeb letto;
        CaricaOpzioniPagine(ini(), letto);
        QCOMPARE(letto.IESkede, 1);
        QCOMPARE(letto.Opzioni[2].View, 32767);
        QCOMPARE(letto.Opzioni[1].DirSave, QStringLiteral("/tmp/pagine"));
        QCOMPARE(letto.Opzioni[1].Stampante, QStringLiteral("PDF"));
        ScriviOpzioniContesto(ini(), web, 3); // no such context: nothing written
        QCOMPARE(LeggiIni(ini(), QStringLiteral("WEBPARAM"), QStringLiteral("View3")), QString());
    }
};

QTEST_GUILESS_MAIN(TestCodiciWeb)
#include "test_codici_web.moc"
