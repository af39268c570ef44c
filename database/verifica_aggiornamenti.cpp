#include "database/verifica_aggiornamenti.h"

#include "platform/day_number.h"
#include "platform/http_client.h"
#include "shell/file_ini.h"

#include <QDateTime>
#include <QStringList>

#include <cmath>

namespace qv {

namespace {

const QString kSezione = QStringLiteral("AGGIORNA");

// The "#" fields of each entry that starts with `inizio`, in page order; an
// entry ends at the next "</P>" (or the page's end).
QList<QStringList> voci(const QString& pagina, const QString& inizio) {
    QList<QStringList> trovate;
    qsizetype da = 0;
    while ((da = pagina.indexOf(inizio, da)) >= 0) {
        da += inizio.size();
        const qsizetype fine = pagina.indexOf(QStringLiteral("</P>"), da);
        trovate << pagina.mid(da, fine < 0 ? -1 : fine - da).split(QLatin1Char('#'));
        if (fine < 0) break;
        da = fine;
    }
    return trovate;
}

QString testoSenzaZero(int n) {
    return n == 0 ? QString() : QString::number(n);
}

} // namespace

QString ChiaveProgramma(const QString& nomeEseguibile) {
    return nomeEseguibile.trimmed().toUpper();
}

int NumeroVersione(int maggiore, int minore, int revisione) {
    return maggiore * 10000 + minore * 100 + revisione;
}

int NumeroVersione(const QString& testo) {
    const QStringList parti = testo.trimmed().split(QLatin1Char('.'));
    return NumeroVersione(parti.value(0).toInt(), parti.value(1).toInt(), parti.value(2).toInt());
}

QString TestoVersioneAggiornamento(int maggiore, int minore, int revisione) {
    return testoSenzaZero(maggiore) + QLatin1Char('.') + testoSenzaZero(minore) + QLatin1Char('.') +
           testoSenzaZero(revisione);
}

QString IndirizzoSito(const QString& fileIni) {
    QString sito = ValoreTesto(LeggiIni(fileIni, kSezione, QStringLiteral("ZENTRI"))).trimmed();
    if (sito.isEmpty()) sito = kSitoProduttore;
    if (!sito.endsWith(QLatin1Char('/'))) sito += QLatin1Char('/');
    return QStringLiteral("http://") + sito;
}

QString IndirizzoPaginaVersioni(const QString& fileIni) {
    QString pagina = ValoreTesto(LeggiIni(fileIni, kSezione, QStringLiteral("AGGIORNAMENTI"))).trimmed();
    if (pagina.isEmpty()) pagina = QStringLiteral("Aggiornamenti/Versioni.htm");
    return IndirizzoSito(fileIni) + pagina;
}

double GiornoDiOggi() {
    return std::round(platform::dayNumber(QDateTime::currentDateTime()));
}

bool RinviatoDalPromemoria(const QString& fileIni, const QString& chiave, double oggi) {
    const double promemoria = ValoreNumerico(LeggiIni(fileIni, kSezione, chiave));
    return promemoria > 0 && promemoria > oggi;
}

void ScriviPromemoria(const QString& fileIni, const QString& chiave, double oggi, int giorni) {
    ScriviIni(fileIni, kSezione, chiave, oggi + giorni);
}

QString TestoPulsanteRicorda(int giorni) {
    return giorni == 0
               ? QStringLiteral("&RICORDAMI AD OGNI AVVIO")
               : QStringLiteral("&RICORDAMI FRA  ") + QString::number(giorni) + QStringLiteral("  GIORNI");
}

EsitoVerifica LeggiPaginaVersioni(const RichiestaVerifica& r, const QString& pagina) {
    EsitoVerifica e;
    e.versioneAttuale = TestoVersioneAggiornamento(r.maggiore, r.minore, r.revisione);
    const int attuale = NumeroVersione(r.maggiore, r.minore, r.revisione);
    const QList<QStringList> programma = voci(pagina, r.chiave + QLatin1Char('='));
    int disponibile = attuale;
    if (programma.isEmpty()) {
        // A page without the program's entry counts as up to date.
        e.paginaSito = r.chiave + QStringLiteral(".htm");
        e.versioneDisponibile = e.versioneAttuale;
    } else {
        e.paginaSito = programma.first().value(0).trimmed();
        e.versioneDisponibile = programma.first().value(1).trimmed();
        disponibile = NumeroVersione(e.versioneDisponibile);
    }
    if (disponibile <= attuale) {
        e.stato = kVersioneAggiornata;
        return e;
    }
    e.stato = kNuovaVersione;
    const QString sito = IndirizzoSito(r.fileIni);
    for (const QStringList& campi : voci(pagina, r.chiave + QLatin1Char(':'))) {
        const QString file = campi.value(0).trimmed();
        // Listed unless applied at or after its release day's end.
        const double rilascio = platform::dayNumberFromText(campi.value(1).trimmed()).value_or(0) + 0.99;
        const double applicato = ValoreNumerico(
            LeggiIni(r.fileIni, QStringLiteral("AGGIORNAMENTI"), QStringLiteral("check+") + file));
        if (rilascio <= applicato) continue;
        // Room for ten: later entries wait for a check after these are applied.
        if (e.voci.size() == kMassimoVociAggiornamento) break;
        e.voci << VoceAggiornamento{campi.value(2) + QStringLiteral(" - ") + campi.value(3) +
                                        QStringLiteral(" (") + campi.value(1) + QLatin1Char(')'),
                                    sito + file};
    }
    return e;
}

EsitoVerifica VerificaVersione(const RichiestaVerifica& r, platform::HttpClient& http) {
    if (!r.esplicito && RinviatoDalPromemoria(r.fileIni, r.chiave, r.oggi)) {
        EsitoVerifica e;
        e.stato = kRinviatoDalPromemoria;
        return e;
    }
    const platform::HttpResult pagina = http.get(IndirizzoPaginaVersioni(r.fileIni));
    if (!pagina.ok) {
        EsitoVerifica e;
        e.stato = kErroreConnessione;
        e.errore = pagina.error;
        e.versioneAttuale = TestoVersioneAggiornamento(r.maggiore, r.minore, r.revisione);
        return e;
    }
    return LeggiPaginaVersioni(r, pagina.body);
}

} // namespace qv
