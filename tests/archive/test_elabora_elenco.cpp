// Batch runs to the results file (FILE and Stampa destinations) against the
// demo enquiry server, and the ways a run ends early.

#include "ambiente_prova.h"
#include "archive/elabora_elenco.h"
#include "file_prova.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/interroga_codice.h"
#include "platform/http_client.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"
#include "shell/procedure_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

namespace {

const QString kTrattini = QString(80, QLatin1Char('-'));


} // namespace

class TestElaboraElenco : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void giro_data();
    void giro();
    void fineAnticipata_data();
    void fineAnticipata();
    void senzaConnessione();
    void elencoGiaApertoInScrittura();
    void elencoSenzaPermessoDiLettura();
    void nomeRifiutato();
    void spazzaturaNellElenco();
    void centomilaElementi();
    void testoFine_data();
    void testoFine();

private:
    RisultatoElenco esegui(const QByteArray& elenco, Destinazione d, const QString& sep, int annullaDopo = -1);

    ServerAvviato server_;
    QTemporaryDir dir_;
    std::unique_ptr<prova::AmbienteProva> env_;
    FileAperti files_;
    QStringList avanzamenti_;
};

void TestElaboraElenco::initTestCase() {
    QVERIFY2(server_.avviato(), "the demo server must start");
    env_ = std::make_unique<prova::AmbienteProva>(dir_.path());
    server_.indirizzi(env_->web);
}

void TestElaboraElenco::init() {
    env_->messaggi.svuota();
    avanzamenti_.clear();
    QFile::remove(dir_.filePath(QString::fromLatin1(kFileEsiti)));
}

RisultatoElenco TestElaboraElenco::esegui(const QByteArray& elenco, Destinazione d, const QString& sep,
                                          int annullaDopo) {
    const QString lista = dir_.filePath(QStringLiteral("lista.txt"));
    scriviFile(lista, elenco);
    RichiestaElenco r{lista, sep, d, dir_.filePath(QString::fromLatin1(kFileEsiti))};
    CallbackElenco cb;
    qint64 fatti = 0;
    cb.avanzamento = [&](const AvanzamentoElenco& a) {
        fatti = a.numero;
        avanzamenti_.append(TestoAvanzamento(a));
    };
    cb.annullato = [&] { return annullaDopo >= 0 && fatti >= annullaDopo; };
    const RisultatoElenco esito = ElaboraElenco(r, env_->web, env_->ambiente, nullptr, files_, env_->messaggi, cb);
    // Every file the run opened is closed again.
    [&] { QCOMPARE(files_.quanti(), 0); }();
    return esito;
}

void TestElaboraElenco::giro_data() {
    QTest::addColumn<QByteArray>("elenco");
    QTest::addColumn<int>("destinazione");
    QTest::addColumn<QString>("separatore");
    QTest::addColumn<int>("annullaDopo");
    QTest::addColumn<int>("fine");
    QTest::addColumn<qint64>("numero");
    QTest::addColumn<QByteArray>("esiti");

    const auto file = static_cast<int>(Destinazione::File);
    const auto stampa = static_cast<int>(Destinazione::Stampa);
    const auto completato = static_cast<int>(FineElenco::Completato);
    const QByteArray errato = "24IT000000000007E7";
    const QByteArray dati = "24IT000000000001E1";

    QTest::newRow("page message only, semicolon: 20 separators")
        << errato + "\r\n" << file << ";" << -1 << completato << qint64(1)
        << errato + ";*;" + QByteArray(18, ';') + "\r\n";
    QTest::newRow("export data, default separator")
        << dati + "\r\n" << file << " " << -1 << completato << qint64(1)
        << dati + "|" + QByteArray(16, '|') + "IT277100 - MALPENSA|IT261101 - VERONA|11/03/2025|\r\n";
    QTest::newRow("two codes on one line, lower case")
        << QByteArray("24it000000000007e7, 24it000000000017e7\n") << file << "#" << -1 << completato << qint64(2)
        << errato + "#*#" + QByteArray(18, '#') + "\r\n24IT000000000017E7#*#" + QByteArray(18, '#') + "\r\n";
    QTest::newRow("pending export: value 1 stays blank")
        << QByteArray("24IT000000000005E5") << file << "|" << -1 << completato << qint64(1)
        << "24IT000000000005E5" + QByteArray(20, '|') + "\r\n";
    QTest::newRow("report blocks")
        << "\r\n" + dati + "\r\n\r\n" + errato + "\r\n" << stampa << "|" << -1 << completato << qint64(2)
        << "1) Risultato MRN numero: " + dati +
               "\r\nUfficio di esportazione IT277100 - MALPENSA\r\nUfficio di uscita IT261101 - VERONA\r\n"
               "Data di uscita 11/03/2025\r\n" +
               kTrattini.toLatin1() + "\r\n2) Risultato MRN numero: " + errato +
               "\r\n *** MRN non presente: verificare la validit\xE0 del codice ***\r\n" + kTrattini.toLatin1() +
               "\r\n";

    QByteArray dieci;
    QByteArray primiTre;
    for (int i = 0; i < 10; ++i) {
        const QByteArray mrn = "24IT00000000001" + QByteArray::number(i) + "E7";
        dieci += mrn + "\r\n";
        if (i < 3)
            primiTre += mrn + "|*|" + QByteArray(18, '|') + "\r\n";
    }
    QTest::newRow("cancelled after the third of ten")
        << dieci << file << "|" << 3 << static_cast<int>(FineElenco::Annullato) << qint64(3) << primiTre;
}

void TestElaboraElenco::giro() {
    QFETCH(QByteArray, elenco);
    QFETCH(int, destinazione);
    QFETCH(QString, separatore);
    QFETCH(int, annullaDopo);
    QFETCH(int, fine);
    QFETCH(qint64, numero);
    QFETCH(QByteArray, esiti);

    const RisultatoElenco r = esegui(elenco, static_cast<Destinazione>(destinazione), separatore, annullaDopo);
    QCOMPARE(static_cast<int>(r.fine), fine);
    QCOMPARE(r.numero, numero);
    QCOMPARE(leggiFile(dir_.filePath(QString::fromLatin1(kFileEsiti))), esiti);
    QCOMPARE(avanzamenti_.size(), numero);
    QVERIFY(avanzamenti_.first().startsWith(QStringLiteral("Interrogo MRN numero ")));
    QVERIFY(avanzamenti_.first().endsWith(QStringLiteral("     (1/") + QString::number(r.totale) + QLatin1Char(')')));
    QVERIFY(env_->messaggi.mostrati().isEmpty());
}

void TestElaboraElenco::fineAnticipata_data() {
    QTest::addColumn<bool>("crea");
    QTest::addColumn<QByteArray>("elenco");
    QTest::addColumn<int>("fine");
    QTest::newRow("missing list") << false << QByteArray() << static_cast<int>(FineElenco::ElencoMancante);
    QTest::newRow("empty list") << true << QByteArray() << static_cast<int>(FineElenco::ElencoVuoto);
    QTest::newRow("only blanks and commas") << true << QByteArray(" ,\r\n\t\r\n,,") << static_cast<int>(FineElenco::ElencoVuoto);
}

void TestElaboraElenco::fineAnticipata() {
    QFETCH(bool, crea);
    QFETCH(QByteArray, elenco);
    QFETCH(int, fine);
    const QString esiti = dir_.filePath(QString::fromLatin1(kFileEsiti));
    scriviFile(esiti, "previous run\r\n");
    const QString lista = dir_.filePath(QStringLiteral("manca.txt"));
    QFile::remove(lista);
    if (crea)
        scriviFile(lista, elenco);
    RichiestaElenco r{lista, "|", Destinazione::File, esiti};
    AmbienteWeb ambiente;
    const RisultatoElenco esito = ElaboraElenco(r, env_->web, ambiente, nullptr, files_, env_->messaggi);
    QCOMPARE(static_cast<int>(esito.fine), fine);
    QCOMPARE(esito.numero, qint64(0));
    // The results file is not touched.
    QCOMPARE(leggiFile(esiti), QByteArray("previous run\r\n"));
    QVERIFY(!DescriviFine(esito, lista).isEmpty());
}

void TestElaboraElenco::senzaConnessione() {
    // A server that is gone: every request is refused.
    StatoWeb salvato = env_->web;
    {
        ServerAvviato spento;
        QVERIFY(spento.avviato());
        spento.indirizzi(env_->web);
    }
    const RisultatoElenco r = esegui("24IT000000000001E1\r\n24IT000000000002E2\r\n", Destinazione::File, "|");
    env_->web = salvato;
    QCOMPARE(r.fine, FineElenco::SenzaRete);
    QCOMPARE(r.numero, qint64(1));
    QCOMPARE(r.totale, qint64(2));
    QCOMPARE(r.messaggio, QStringLiteral("# Connessione INTERNET non attiva #"));
    QCOMPARE(DescriviFine(r, QString()), r.messaggio);
    QCOMPARE(leggiFile(dir_.filePath(QString::fromLatin1(kFileEsiti))), QByteArray());
}

void TestElaboraElenco::elencoGiaApertoInScrittura() {
    const QString lista = dir_.filePath(QStringLiteral("aperta.txt"));
    scriviFile(lista, "24IT000000000001E1\r\n");
    const int numero = files_.FreeFile();
    QCOMPARE(ApriFile(files_, env_->messaggi, lista, numero, ModoFile::Append), numero);
    RichiestaElenco r{lista, "|", Destinazione::File, dir_.filePath(QString::fromLatin1(kFileEsiti))};
    const RisultatoElenco esito = ElaboraElenco(r, env_->web, AmbienteWeb{}, nullptr, files_, env_->messaggi);
    files_.Chiudi(numero);
    QCOMPARE(esito.fine, FineElenco::ElencoIlleggibile);
    QCOMPARE(esito.numero, qint64(0));
    QVERIFY(DescriviFine(esito, lista).contains(lista));
}

void TestElaboraElenco::elencoSenzaPermessoDiLettura() {
    const QString lista = dir_.filePath(QStringLiteral("chiusa.txt"));
    scriviFile(lista, "24IT000000000001E1\r\n");
    QVERIFY(QFile::setPermissions(lista, QFileDevice::WriteOwner));
    QFile prova(lista);
    if (prova.open(QIODevice::ReadOnly))
        QSKIP("this user reads files whatever their permissions (root); the open-for-writing case covers it");
    RichiestaElenco r{lista, "|", Destinazione::File, dir_.filePath(QString::fromLatin1(kFileEsiti))};
    const RisultatoElenco esito = ElaboraElenco(r, env_->web, AmbienteWeb{}, nullptr, files_, env_->messaggi);
    QCOMPARE(esito.fine, FineElenco::ElencoIlleggibile);
    QCOMPARE(esito.numero, qint64(0));
}

void TestElaboraElenco::nomeRifiutato() {
    scriviFile(dir_.filePath(QStringLiteral("listaA.txt")), "24IT000000000001E1\r\n");
    // "?" finds the file but the opener refuses such a name.
    RichiestaElenco r{dir_.filePath(QStringLiteral("lista?.txt")), "|", Destinazione::File,
                      dir_.filePath(QString::fromLatin1(kFileEsiti))};
    const RisultatoElenco esito = ElaboraElenco(r, env_->web, AmbienteWeb{}, nullptr, files_, env_->messaggi);
    QCOMPARE(esito.fine, FineElenco::ElencoIlleggibile);
    QCOMPARE(env_->messaggi.mostrati().size(), 1);
    QCOMPARE(env_->messaggi.mostrati().first().titolo, QStringLiteral("Nome errato"));

    // A results file that cannot be created ends the run before any enquiry.
    const QString cartella = dir_.filePath(QStringLiteral("esiti_cartella"));
    QVERIFY(QDir().mkpath(cartella));
    RichiestaElenco r2{dir_.filePath(QStringLiteral("listaA.txt")), "|", Destinazione::File, cartella};
    QCOMPARE(ElaboraElenco(r2, env_->web, AmbienteWeb{}, nullptr, files_, env_->messaggi).fine, FineElenco::EsitiNonScrivibili);
    QCOMPARE(files_.quanti(), 0);
}

void TestElaboraElenco::spazzaturaNellElenco() {
    QByteArray elenco = "24IT000000000007E7\r\n";
    elenco += QByteArray("\x00\x01\x02\xFF\xFE junk\r\n", 12);
    elenco += QByteArray(1000, 'Q') + "\r\n";
    elenco += "24IT000000000017E7\r\n";
    const RisultatoElenco r = esegui(elenco, Destinazione::File, "|");
    QCOMPARE(r.fine, FineElenco::Completato);
    QCOMPARE(r.numero, qint64(2));
    QCOMPARE(r.scartati, qint64(2));
    QCOMPARE(leggiFile(dir_.filePath(QString::fromLatin1(kFileEsiti))).count("\r\n"), 2);
}

void TestElaboraElenco::centomilaElementi() {
    // The loop itself at scale, with an enquiry that answers at once.
    const QString lista = dir_.filePath(QStringLiteral("centomila.txt"));
    {
        QFile f(lista);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 100000; ++i)
            f.write(QStringLiteral("24IT%1E1\r").arg(i, 12, 10, QLatin1Char('0')).toLatin1());
    }
    std::array<QString, 20> esito;
    std::array<QString, 8> titolo;
    qint64 interrogati = 0;
    const Interroga interroga = [&](const QString& codice) {
        ++interrogati;
        esito.fill(QString());
        esito[19] = codice.right(4);
        return EsitoLetto;
    };
    RichiestaElenco r{lista, ";", Destinazione::File, dir_.filePath(QString::fromLatin1(kFileEsiti))};
    const RisultatoElenco fatto = ElaboraElenco(r, interroga, esito, titolo, nullptr, files_, env_->messaggi);
    QCOMPARE(fatto.fine, FineElenco::Completato);
    QCOMPARE(fatto.totale, qint64(100000));
    QCOMPARE(fatto.numero, qint64(100000));
    QCOMPARE(interrogati, qint64(100000));
    const QByteArray esiti = leggiFile(dir_.filePath(QString::fromLatin1(kFileEsiti)));
    QCOMPARE(esiti.count("\r\n"), 100000);
    QVERIFY(esiti.endsWith("24IT000000099999E1;" + QByteArray(18, ';') + "99E1;\r\n"));
}

void TestElaboraElenco::testoFine_data() {
    QTest::addColumn<int>("fine");
    QTest::addColumn<int>("destinazione");
    QTest::addColumn<qint64>("numero");
    QTest::addColumn<qint64>("totale");
    QTest::addColumn<qint64>("scartati");
    QTest::addColumn<qint64>("nonMemorizzati");
    QTest::addColumn<bool>("unito");
    QTest::addColumn<QString>("testo");

    const int db = static_cast<int>(Destinazione::Database);
    const int file = static_cast<int>(Destinazione::File);
    const int fatto = static_cast<int>(FineElenco::Completato);
    QTest::newRow("D.B., rows skipped and not stored")
        << fatto << db << qint64(150) << qint64(150) << qint64(2) << qint64(42) << true
        << "MRN: 150/150\nskipped: 2\nnot stored: 42\nend: Elaborati 150 MRN\narchive: merged";
    QTest::newRow("D.B., merge failed")
        << fatto << db << qint64(3) << qint64(3) << qint64(0) << qint64(0) << false
        << "MRN: 3/3\nskipped: 0\nnot stored: 0\nend: Elaborati 3 MRN\narchive: NOT updated";
    QTest::newRow("results file")
        << fatto << static_cast<int>(Destinazione::Stampa) << qint64(1) << qint64(1) << qint64(0) << qint64(0) << false
        << "MRN: 1/1\nskipped: 0\nnot stored: 0\nend: Elaborati 1 MRN\nresults: /p/EsitiDaEle.txt";
    QTest::newRow("cancelled")
        << static_cast<int>(FineElenco::Annullato) << file << qint64(3) << qint64(10) << qint64(0) << qint64(0) << false
        << "MRN: 3/10\nskipped: 0\nnot stored: 0\nend: Elaborazione annullata dall'Operatore dopo 3 MRN\n"
           "results: /p/EsitiDaEle.txt";
    QTest::newRow("nothing but junk: no archive line")
        << static_cast<int>(FineElenco::ElencoVuoto) << db << qint64(0) << qint64(0) << qint64(4) << qint64(0) << false
        << "MRN: 0/0\nskipped: 4\nnot stored: 0\nend: L'elenco '/p/l.txt' non contiene MRN";
}

void TestElaboraElenco::testoFine() {
    QFETCH(int, fine);
    QFETCH(int, destinazione);
    RisultatoElenco r;
    r.fine = static_cast<FineElenco>(fine);
    QFETCH(qint64, numero);
    QFETCH(qint64, totale);
    QFETCH(qint64, scartati);
    QFETCH(qint64, nonMemorizzati);
    QFETCH(bool, unito);
    QFETCH(QString, testo);
    r.numero = numero;
    r.totale = totale;
    r.scartati = scartati;
    r.nonMemorizzati = nonMemorizzati;
    r.unito = unito;
    const RichiestaElenco richiesta{QStringLiteral("/p/l.txt"), QStringLiteral("|"),
                                    static_cast<Destinazione>(destinazione), QStringLiteral("/p/EsitiDaEle.txt")};
    QCOMPARE(TestoFineElenco(r, richiesta), testo);
}

QTEST_GUILESS_MAIN(TestElaboraElenco)
#include "test_elabora_elenco.moc"
