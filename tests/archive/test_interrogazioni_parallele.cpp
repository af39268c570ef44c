// Enquiries several at once, on a network and clock of the test's own: the
// waiting rules, the order things are handed on in, cancel, a lost
// connection, servers asking to slow down, resets and time-outs.

#include "archive/interrogazioni_parallele.h"
#include "archive/regole_attesa.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/interroga_codice.h"
#include "enquiry/stato_web.h"

#include <QTest>
#include <QTimeZone>

#include <map>

using namespace qv;
using platform::HttpResult;

namespace {

const QString kSenzaRete = QStringLiteral(" 9 # Connessione INTERNET non attiva #");
const QDateTime kInizio(QDate(2026, 12, 6), QTime(2, 0), QTimeZone::utc());

// Requests answered on a virtual clock: each URL's answers in turn from
// `copione` (then the last one again), after `latenza` ms (per code, else 100).
class ReteFinta : public Trasporto {
public:
    void richiedi(const QString& url, std::function<void(const HttpResult&)> fatto) override {
        chieste << url;
        partenze << qMakePair(ora, ++inVolo);
        const QString codice = url.section(QLatin1Char('='), -1);
        const QList<HttpResult> risposte = copione.value(codice, {pagina(codice)});
        const HttpResult r = risposte.value(volte[codice]++, risposte.last());
        eventi.emplace(ora + latenza.value(codice, 100), [this, r, fatto] {
            --inVolo;
            fatto(r);
        });
    }
    void dopo(int ms, std::function<void()> azione) override {
        attese << ms;
        eventi.emplace(ora + ms, std::move(azione));
    }
    QDateTime adesso() const override { return kInizio.addMSecs(ora); }
    void attendi() override {
        if (eventi.empty()) return;
        auto primo = eventi.begin();
        ora = primo->first;
        auto azione = std::move(primo->second);
        eventi.erase(primo);
        azione();
    }
    void interrompi() override { eventi.clear(); }

    static HttpResult pagina(const QString& codice, int stato = 200, const QByteArray& retryAfter = {}) {
        const QString testo = QStringLiteral("<div class=\"err\">R-") + codice + QStringLiteral("</div>");
        return {true, testo, {}, stato, retryAfter};
    }
    static HttpResult caduta() { return {false, {}, {}, 0, {}, true}; }

    QMap<QString, QList<HttpResult>> copione;
    QMap<QString, qint64> latenza;
    QMap<QString, int> volte;
    std::multimap<qint64, std::function<void()>> eventi;
    qint64 ora = 0;
    int inVolo = 0;
    QStringList chieste;
    QList<QPair<qint64, int>> partenze; // when each request started, and how many were then in flight
    QList<int> attese;
    int massimoDa(qint64 t) const { // requests in flight at once, from time t on
        int m = 0;
        for (const auto& [quando, n] : partenze)
            m = quando >= t ? std::max(m, n) : m;
        return m;
    }
};

QString mrn(int i) {
    return QStringLiteral("24IT%1E1").arg(i, 12, 10, QLatin1Char('0'));
}

} // namespace

class TestInterrogazioniParallele : public QObject {
    Q_OBJECT

    StatoWeb web_;
    AmbienteWeb ambiente_;
    std::unique_ptr<ReteFinta> rete_;
    QStringList consegnati_; // "code outcome message"
    QStringList avvisi_;
    int annullaDopo_ = -1; // starts allowed before ANNULLA

    FineGiro esegui(int quanti, int connessioni) {
        int i = 0, avviati = 0;
        GiroInterrogazioni g;
        g.connessioni = connessioni;
        g.prossimo = [&]() -> std::optional<QString> {
            return i < quanti ? std::optional<QString>(mrn(++i)) : std::nullopt;
        };
        g.annullato = [&] { return annullaDopo_ >= 0 && avviati++ >= annullaDopo_; };
        g.consegna = [&](const QString& codice, int esito) {
            consegnati_ << codice + QLatin1Char(' ') + QString::number(esito) + QLatin1Char(' ') +
                               web_.Titolo[2];
            return esito != EsitoSenzaRete;
        };
        g.avviso = [&](const QString& t) { avvisi_ << t; };
        return InterrogaInParallelo(web_, ambiente_, *rete_, g);
    }
    static QString letto(int i) {
        return mrn(i) + QStringLiteral(" 0 *** R-") + mrn(i) + QStringLiteral(" ***");
    }

private slots:
    void init() {
        web_ = {};
        web_.UrlExport = QStringLiteral("http://dogane.test/export?mrn=");
        rete_ = std::make_unique<ReteFinta>();
        consegnati_.clear();
        avvisi_.clear();
        annullaDopo_ = -1;
    }

    void connessioni_data() {
        QTest::addColumn<QString>("valore");
        QTest::addColumn<int>("attese");
        for (const auto& [v, n] :
             {std::pair{"", 4}, {"1", 1}, {" 8 ", 8}, {"0", 4}, {"9", 4}, {"-2", 4}, {"due", 4}, {"2.5", 4}})
            QTest::newRow(v) << QString::fromLatin1(v) << n;
    }
    void connessioni() {
        QFETCH(QString, valore);
        QTEST(ConnessioniDaTesto(valore), "attese");
    }

    void retryAfter_data() {
        QTest::addColumn<QByteArray>("valore");
        QTest::addColumn<int>("secondi"); // -1: no usable header
        QTest::newRow("capped at 60") << QByteArray("3600") << 60;
        QTest::newRow("IMF date") << QByteArray("Sun, 06 Dec 2026 02:00:30 GMT") << 30;
        QTest::newRow("RFC 850 date") << QByteArray("Sunday, 06-Dec-26 02:00:45 GMT") << 45;
        QTest::newRow("asctime date") << QByteArray("Sun Dec  6 02:00:05 2026") << 5;
        QTest::newRow("date far ahead") << QByteArray("Mon, 07 Dec 2026 02:00:00 GMT") << 60;
        QTest::newRow("date past") << QByteArray("Sat, 05 Dec 2026 02:00:00 GMT") << 0;
        QTest::newRow("missing") << QByteArray() << -1;
        QTest::newRow("negative") << QByteArray("-5") << -1;
        QTest::newRow("junk") << QByteArray("soon") << -1;
    }
    void retryAfter() {
        QFETCH(QByteArray, valore);
        QTEST(SecondiRetryAfter(valore, kInizio).value_or(-1), "secondi");
    }

    void limiteInVolo() {
        LimiteInVolo l(8);
        QList<int> visti;
        for (int i = 0; i < 4; ++i, l.rifiuto())
            visti << l.attuale();
        visti << l.attuale();
        for (int i = 0; i < 2 * kRispostePerCrescere - 1; ++i)
            l.buona();
        visti << l.attuale();
        l.buona();
        visti << l.attuale();
        QCOMPARE(visti, (QList<int>{8, 4, 2, 1, 1, 2, 3}));
    }

    // Later codes answer first; each is still handed on in list order with its own page.
    void ordineDellaLista() {
        QStringList attesi;
        for (int i = 1; i <= 9; ++i) {
            rete_->latenza[mrn(i)] = 1000 - 100 * i;
            attesi << letto(i);
        }
        QCOMPARE(esegui(9, 4), FineGiro::Esaurito);
        QCOMPARE(consegnati_, attesi);
    }

    void annullaConQuattroInVolo() {
        annullaDopo_ = 4;
        QCOMPARE(esegui(10, 4), FineGiro::Annullato);
        QCOMPARE(consegnati_, (QStringList{letto(1), letto(2), letto(3), letto(4)}));
        QCOMPARE(rete_->chieste.size(), 4);
    }

    // The third finds no connection: the first two are handed on, then it,
    // and nothing after it; no enquiry starts once its page failed.
    void senzaReteInMezzo() {
        rete_->copione[mrn(3)] = {HttpResult{}};
        rete_->latenza[mrn(3)] = 10;
        QCOMPARE(esegui(10, 4), FineGiro::Fermato);
        QCOMPARE(consegnati_, (QStringList{letto(1), letto(2), mrn(3) + kSenzaRete}));
        QCOMPARE(rete_->chieste.size(), 4);
    }

    void rifiuti_data() {
        QTest::addColumn<QList<HttpResult>>("risposte");
        QTest::addColumn<QList<int>>("attese");
        QTest::addColumn<int>("esito");
        const HttpResult buona = ReteFinta::pagina(mrn(1));
        QTest::newRow("429 Retry-After: 1")
            << QList<HttpResult>{ReteFinta::pagina({}, 429, "1"), buona} << QList<int>{1000} << 0;
        QTest::newRow("503 without header")
            << QList<HttpResult>{ReteFinta::pagina({}, 503), ReteFinta::pagina({}, 503), buona}
            << QList<int>{1000, 2000} << 0;
        QTest::newRow("five refusals")
            << QList<HttpResult>{ReteFinta::pagina({}, 429)} << QList<int>{1000, 2000, 4000, 8000} << 9;
        QTest::newRow("reset, asked once more")
            << QList<HttpResult>{ReteFinta::caduta(), buona} << QList<int>{} << 0;
        QTest::newRow("reset twice") << QList<HttpResult>{ReteFinta::caduta()} << QList<int>{} << 9;
    }
    void rifiuti() {
        QFETCH(QList<HttpResult>, risposte);
        QFETCH(QList<int>, attese);
        QFETCH(int, esito);
        rete_->copione[mrn(1)] = risposte;
        esegui(1, 4);
        QCOMPARE(rete_->attese, attese);
        QCOMPARE(consegnati_, QStringList{esito == 0 ? letto(1) : mrn(1) + kSenzaRete});
        QCOMPARE(avvisi_.size(), attese.size());
    }

    // A refusal halves the enquiries in flight.
    void rifiutoDimezza() {
        rete_->copione[mrn(1)] = {ReteFinta::pagina({}, 429, "1"), ReteFinta::pagina(mrn(1))};
        rete_->latenza[mrn(1)] = 10;
        QCOMPARE(esegui(12, 8), FineGiro::Esaurito);
        QCOMPARE(avvisi_, QStringList{TestoRallentamento(1)});
        QCOMPARE(rete_->massimoDa(0), 8);
        // After the refusal (at 10 ms) four are in flight at most, the refused one waiting among them.
        QCOMPARE(rete_->massimoDa(11), 3);
        QCOMPARE(rete_->chieste.size(), 13);
    }
};

QTEST_GUILESS_MAIN(TestInterrogazioniParallele)
#include "test_interrogazioni_parallele.moc"
