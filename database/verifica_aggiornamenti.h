#pragma once
// The program update check, without its window: the versions page on the
// maker's site ("AGGIORNA"/"ZENTRI" + "AGGIORNAMENTI"), the program's entry
// and its version compared with the running one, the update files published
// since they were last applied, and the reminder that skips an automatic
// check. The window Aggiorna shows what comes back.

#include <QList>
#include <QString>

namespace qv {

namespace platform {
class HttpClient;
}

// The maker's site host: the default of "ZENTRI" and the host of
// "&VAI AL SITO" and of the installer (a deployment value).
inline const QString kSitoProduttore = QStringLiteral("www.zentri.example");
inline const QString kPercorsoInstallatore = QStringLiteral("/Programmi/ZentriSWAgg.exe");
inline constexpr int kMassimoVociAggiornamento = 10;
// A download that brought no answer; its description says why.
inline constexpr int kErroreConnessione = 1;

// Outcomes of a check, besides the error number of a failed download.
inline constexpr int kRinviatoDalPromemoria = -2;
inline constexpr int kVersioneAggiornata = -1;
inline constexpr int kNuovaVersione = 0;

// The executable's name trimmed and in capitals: the program's key on the
// versions page and in the configuration ("QUORVAN").
QString ChiaveProgramma(const QString& nomeEseguibile);

// major x 10000 + minor x 100 + revision; text as "1.10.0" (parts that are
// not numbers count 0).
int NumeroVersione(int maggiore, int minore, int revisione);
int NumeroVersione(const QString& testo);
// Each part formatted with "#": a zero part is empty ("2..3" for 2.0.3).
QString TestoVersioneAggiornamento(int maggiore, int minore, int revisione);

// "http://" + "ZENTRI" (default kSitoProduttore) with a final "/".
QString IndirizzoSito(const QString& fileIni);
// IndirizzoSito + "AGGIORNAMENTI" (default "Aggiornamenti/Versioni.htm").
QString IndirizzoPaginaVersioni(const QString& fileIni);

// Today as a whole day number: the current date and time rounded.
double GiornoDiOggi();
// The reminder of "AGGIORNA"/key: true when it is above 0 and above `oggi`.
bool RinviatoDalPromemoria(const QString& fileIni, const QString& chiave, double oggi);
// "cmdRicorda": the reminder becomes oggi + giorni.
void ScriviPromemoria(const QString& fileIni, const QString& chiave, double oggi, int giorni);
// The reminder button's caption for a number of days.
QString TestoPulsanteRicorda(int giorni);

struct VoceAggiornamento {
    QString testo;     // title - description (release date)
    QString indirizzo; // "http://" + site + the file's path
};

struct EsitoVerifica {
    int stato = kNuovaVersione; // kRinviatoDalPromemoria, kVersioneAggiornata, kNuovaVersione or the error
    QString errore;             // description of a failed download
    QString versioneAttuale;    // as shown
    QString versioneDisponibile;
    QString paginaSito; // field 0 of the program's entry, else key + ".htm"
    QList<VoceAggiornamento> voci;
};

struct RichiestaVerifica {
    QString fileIni;
    QString chiave;   // ChiaveProgramma
    int maggiore = 0; // the running version
    int minore = 0;
    int revisione = 0;
    bool esplicito = true; // false: the reminder may skip the check
    double oggi = 0;       // GiornoDiOggi
};

// What a versions page says to the running program (no download).
EsitoVerifica LeggiPaginaVersioni(const RichiestaVerifica& r, const QString& pagina);

// The whole check: the reminder (automatic checks only), the page fetched
// with the program's client (no cache, its time-out), read as above.
EsitoVerifica VerificaVersione(const RichiestaVerifica& r, platform::HttpClient& http);

} // namespace qv
