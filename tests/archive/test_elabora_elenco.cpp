// The batch run with a scripted enquiry and a work table that records what
// it is asked: the three destinations, cancel, lost connection, the ways a
// run ends before its first enquiry, rows not stored, and the end-of-run text.

#include "archive/elabora_elenco.h"
#include "archive/tabella_lavoro.h"
#include "enquiry/interroga_codice.h"
#include "file_prova.h"
#include "shell/messaggi.h"
#include "shell/procedure_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <tuple>

using namespace qv;

namespace {

// A work table that keeps the steps and codes it is given.
struct LavoroFinto : TabellaLavoro {
    QStringList passi, righe;
    bool database = true, apribile = true, tabellaAperta = false;
    qint64 perse = 0;
    bool databaseAperto() const override { return database; }
    void svuota() override { passi << QStringLiteral("svuota"); }
    bool apri() override { passi << QStringLiteral("apri"); return tabellaAperta = apribile; }
    bool aperta() const override { return tabellaAperta; }
    void scriviRiga(const QString& codice, std::span<const QString>, std::span<const QString>) override { righe << codice; }
    void chiudi() override { passi << QStringLiteral("chiudi"); }
    qint64 righeNonScritte() const override { return perse; }
    bool unisci() override { passi << QStringLiteral("unisci"); return true; }
};

// The FILE line the scripted enquiry gives `codice` (value 19: its last four characters).
QByteArray riga(const QByteArray& codice, char sep = '|') {
    return codice + sep + QByteArray(18, sep) + codice.right(4) + sep + "\r\n";
}

} // namespace

class TestElaboraElenco : public QObject {
    Q_OBJECT
    QString esiti() const { return dir_.filePath(QString::fromLatin1(kFileEsiti)); }

    QTemporaryDir dir_;
    FileAperti files_;
    MessaggiRegistrati messaggi_;
    std::array<QString, 20> esito_;
    std::array<QString, 8> titolo_;
    QStringList interrogati_;
    QString senzaReteA_; // the code whose enquiry finds no connection
    std::function<void()> primaDi_; // before each enquiry
    int annullaDopo_ = -1;

    // Runs `elenco`, written to `nome` unless null, into the results file `fileEsiti` (blank: the usual one).
    RisultatoElenco esegui(const QByteArray& elenco, Destinazione d, const QString& sep = QStringLiteral("|"),
                           TabellaLavoro* lavoro = nullptr, const QString& nome = QStringLiteral("lista.txt"),
                           const QString& fileEsiti = {}) {
        const QString lista = dir_.filePath(nome);
        if (!elenco.isNull())
            scriviFile(lista, elenco);
        const Interroga interroga = [this](const QString& codice) {
            if (primaDi_)
                primaDi_();
            interrogati_ << codice;
            esito_.fill(QString());
            titolo_.fill(QString());
            if (codice == senzaReteA_) {
                titolo_[2] = QStringLiteral("# Connessione INTERNET non attiva #");
                return EsitoSenzaRete;
            }
            esito_[19] = codice.right(4);
            return EsitoLetto;
        };
        CallbackElenco cb;
        cb.annullato = [this] { return annullaDopo_ >= 0 && interrogati_.size() >= annullaDopo_; };
        const int aperti = files_.quanti();
        const RisultatoElenco r =
            ElaboraElenco({lista, sep, d, fileEsiti.isEmpty() ? esiti() : dir_.filePath(fileEsiti)}, interroga, esito_,
                          titolo_, lavoro, files_, messaggi_, cb);
        // Every file the run opened is closed again.
        [&] { QCOMPARE(files_.quanti(), aperti); }();
        return r;
    }

private slots:
    void init() {
        QFile::remove(esiti());
        messaggi_.svuota();
        interrogati_.clear();
        senzaReteA_.clear();
        primaDi_ = {};
        annullaDopo_ = -1;
    }

    void destinazioni_data() {
        QTest::addColumn<int>("destinazione");
        QTest::addColumn<QString>("separatore");
        QTest::addColumn<QByteArray>("atteso");
        const QByteArray a = "24IT000000000001E1", b = "24IT000000000002T2";
        QTest::newRow("FILE, blank separator gives |") << int(Destinazione::File) << " " << riga(a) + riga(b);
        QTest::newRow("D.B.: the results file stays empty") << int(Destinazione::Database) << "|" << QByteArray();
    }

    // How the list's items are read is archive_lettore_elenco's.
    void destinazioni() {
        QFETCH(int, destinazione);
        QFETCH(QString, separatore);
        LavoroFinto lavoro;
        const RisultatoElenco r = esegui("24it000000000001e1, 24IT000000000002T2\r\n\r\n",
                                         static_cast<Destinazione>(destinazione), separatore, &lavoro);
        QCOMPARE(r.fine, FineElenco::Completato);
        QCOMPARE(interrogati_, (QStringList{"24IT000000000001E1", "24IT000000000002T2"}));
        QTEST(leggiFile(esiti()), "atteso");
        QCOMPARE(lavoro.righe, destinazione == int(Destinazione::Database) ? interrogati_ : QStringList());
        QCOMPARE(lavoro.passi, (QStringList{"svuota", "apri", "chiudi", "unisci"}));
        QVERIFY(messaggi_.mostrati().isEmpty());
    }

    // ANNULLA after the third MRN, or the connection lost at the second: the run
    // stops there, the MRN without an answer is not written, what was done is merged.
    void fermato_data() {
        QTest::addColumn<int>("annullaDopo");
        QTest::addColumn<QString>("senzaRete");
        QTest::addColumn<int>("fine");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("cancelled") << 3 << QString() << int(FineElenco::Annullato) << 3 << QString();
        QTest::newRow("no connection") << -1 << "24IT000000000011E7" << int(FineElenco::SenzaRete) << 2
                                       << "# Connessione INTERNET non attiva #";
    }
    void fermato() {
        QFETCH(int, annullaDopo);
        QFETCH(QString, senzaRete);
        QFETCH(int, numero);
        annullaDopo_ = annullaDopo;
        senzaReteA_ = senzaRete;
        QByteArray dieci;
        for (int i = 0; i < 10; ++i)
            dieci += "24IT00000000001" + QByteArray::number(i) + "E7\r\n";
        LavoroFinto lavoro;
        const RisultatoElenco r = esegui(dieci, Destinazione::Database, "|", &lavoro);
        QTEST(int(r.fine), "fine");
        QCOMPARE(r.numero, qint64(numero));
        QCOMPARE(r.totale, qint64(10));
        QTEST(r.messaggio, "messaggio");
        QCOMPARE(lavoro.righe, interrogati_.mid(0, senzaRete.isEmpty() ? numero : numero - 1));
        QCOMPARE(lavoro.passi.last(), QStringLiteral("unisci"));
    }

    void fineAnticipata_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QByteArray>("contenuto"); // null: no list written
        QTest::addColumn<QString>("fileEsiti");    // empty: the usual one
        QTest::addColumn<int>("fine");
        const QByteArray uno = "24IT000000000001E1\r\n";
        QTest::newRow("missing list") << "manca.txt" << QByteArray() << "" << int(FineElenco::ElencoMancante);
        QTest::newRow("empty list") << "lista.txt" << QByteArray("") << "" << int(FineElenco::ElencoVuoto);
        QTest::newRow("held open for writing") << "aperta.txt" << uno << "" << int(FineElenco::ElencoIlleggibile);
        QTest::newRow("results file not writable") << "lista.txt" << uno << "cartella" << int(FineElenco::EsitiNonScrivibili);
    }

    // Nothing is queried, and the results file of the previous run is left alone
    // unless the run got as far as creating a new one.
    void fineAnticipata() {
        QFETCH(QString, lista);
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, fileEsiti);
        scriviFile(esiti(), "previous run\r\n");
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("cartella")));
        int tenuto = 0;
        if (lista == QLatin1String("aperta.txt"))
            tenuto = ApriFile(files_, messaggi_, dir_.filePath(lista), files_.FreeFile(), ModoFile::Append);
        const RisultatoElenco r = esegui(contenuto, Destinazione::File, "|", nullptr, lista, fileEsiti);
        if (tenuto)
            files_.Chiudi(tenuto);
        QTEST(static_cast<int>(r.fine), "fine");
        QVERIFY(interrogati_.isEmpty());
        QCOMPARE(leggiFile(esiti()), QByteArray("previous run\r\n"));
        QVERIFY(messaggi_.mostrati().isEmpty());
    }

    void righeNonMemorizzate_data() {
        QTest::addColumn<bool>("apribile");
        QTest::addColumn<qint64>("perse");     // as the work table reports them
        QTest::addColumn<int>("chiusoDopo");   // the database closes before this enquiry; 0 never
        QTest::addColumn<QStringList>("righe");
        QTest::addColumn<qint64>("nonMemorizzati");
        const QStringList tre{"24IT000000000001E1", "24IT000000000002E2", "24IT000000000003E3"};
        QTest::newRow("the table loses two") << true << qint64(2) << 0 << tre << qint64(2);
        QTest::newRow("the table does not open") << false << qint64(0) << 0 << QStringList() << qint64(3);
        QTest::newRow("the database closes at the second") << true << qint64(0) << 2 << tre.mid(0, 1) << qint64(2);
    }

    void righeNonMemorizzate() {
        QFETCH(bool, apribile);
        QFETCH(qint64, perse);
        QFETCH(int, chiusoDopo);
        LavoroFinto lavoro;
        lavoro.apribile = apribile;
        lavoro.perse = perse;
        primaDi_ = [&] {
            if (chiusoDopo && interrogati_.size() + 1 >= chiusoDopo)
                lavoro.database = false;
        };
        const RisultatoElenco r =
            esegui("24IT000000000001E1\r\n24IT000000000002E2\r\n24IT000000000003E3\r\n", Destinazione::Database, "|",
                   &lavoro);
        QCOMPARE(r.numero, qint64(3));
        QTEST(lavoro.righe, "righe");
        QTEST(r.nonMemorizzati, "nonMemorizzati");
        // A database that went away is not merged into.
        QCOMPARE(r.unito, lavoro.database);
    }

    // The summary's lines; the end texts themselves are the program's messages for each end.
    void testoFine_data() {
        QTest::addColumn<int>("fine");
        QTest::addColumn<int>("destinazione");
        QTest::addColumn<QList<qint64>>("conti"); // numero, totale, scartati, nonMemorizzati
        QTest::addColumn<bool>("unito");
        QTest::addColumn<QString>("testo");
        const int db = int(Destinazione::Database), fatto = int(FineElenco::Completato);
        const QString zero = QStringLiteral("skipped: 0\nnot stored: 0\nend: ");
        QTest::newRow("D.B., rows skipped and not stored")
            << fatto << db << QList<qint64>{150, 150, 2, 42} << true
            << "MRN: 150/150\nskipped: 2\nnot stored: 42\nend: Elaborati 150 MRN\narchive: merged";
        QTest::newRow("D.B., merge failed") << fatto << db << QList<qint64>{3, 3, 0, 0} << false
                                            << "MRN: 3/3\n" + zero + "Elaborati 3 MRN\narchive: NOT updated";
        QTest::newRow("results file, cancelled")
            << int(FineElenco::Annullato) << int(Destinazione::Stampa) << QList<qint64>{3, 10, 0, 0} << false
            << "MRN: 3/10\n" + zero + "Elaborazione annullata dall'Operatore dopo 3 MRN\nresults: /p/EsitiDaEle.txt";
        QTest::newRow("the batch window's labels")
            << fatto << -db << QList<qint64>{3, 3, 1, 0} << false
            << "MRN elaborati: 3/3\nElementi scartati: 1\nMRN non memorizzati: 0\nElaborati 3 MRN\nArchivio NON aggiornato";
        QTest::newRow("nothing but junk: no archive line")
            << int(FineElenco::ElencoVuoto) << db << QList<qint64>{0, 0, 4, 0} << false
            << "MRN: 0/0\nskipped: 4\nnot stored: 0\nend: L'elenco '/p/l.txt' non contiene MRN";
    }

    void testoFine() {
        QFETCH(int, fine);
        QFETCH(int, destinazione);
        QFETCH(QList<qint64>, conti);
        QFETCH(bool, unito);
        RisultatoElenco r;
        std::tie(r.fine, r.numero, r.totale, r.scartati, r.nonMemorizzati, r.unito) =
            std::tuple(FineElenco(fine), conti[0], conti[1], conti[2], conti[3], unito);
        // A negative destination asks for the window's labels.
        const RichiestaElenco richiesta{QStringLiteral("/p/l.txt"), QStringLiteral("|"),
                                        static_cast<Destinazione>(std::abs(destinazione)), QStringLiteral("/p/EsitiDaEle.txt")};
        const EtichetteFine etichette = destinazione < 0 ? EtichetteFine::Finestra : EtichetteFine::Cli;
        QTEST(TestoFineElenco(r, richiesta, etichette), "testo");
    }
};

QTEST_GUILESS_MAIN(TestElaboraElenco)
#include "test_elabora_elenco.moc"
