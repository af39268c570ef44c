#include "archive/elabora_elenco.h"

#include "archive/interrogazioni_parallele.h"
#include "archive/lettore_elenco.h"
#include "archive/righe_esiti.h"
#include "archive/tabella_lavoro.h"
#include "enquiry/interroga_codice.h"
#include "platform/ansi_text.h"
#include "shell/procedure_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace qv {

namespace {

// Closes the files a run opened, however it ends.
struct FileDelGiro {
    FileAperti& files;
    int elenco = 0;
    int esiti = 0;
    ~FileDelGiro() {
        if (elenco) files.Chiudi(elenco);
        if (esiti) files.Chiudi(esiti);
    }
};

using GiroElenco = std::function<FineGiro(const GiroInterrogazioni&)>;

int apriElenco(FileAperti& files, Messaggi& messaggi, const QString& percorso) {
    const int numero = files.FreeFile();
    return numero ? ApriFile(files, messaggi, percorso, numero, ModoFile::Input) : 0;
}

} // namespace

QString TestoElaborazione(qint64 totale) {
    return QStringLiteral("Elaborazione di ") + QString::number(totale) + QStringLiteral(" MRN in corso ...");
}

QString TestoAvanzamento(const AvanzamentoElenco& a) {
    return QStringLiteral("Interrogo MRN numero ") + a.mrn + QStringLiteral("     (") +
           QString::number(a.numero) + QLatin1Char('/') + QString::number(a.totale) + QLatin1Char(')');
}

QString DescriviFine(const RisultatoElenco& r, const QString& elenco) {
    switch (r.fine) {
    case FineElenco::Completato:
        return QStringLiteral("Elaborati ") + QString::number(r.numero) + QStringLiteral(" MRN");
    case FineElenco::Annullato:
        return QStringLiteral("Elaborazione annullata dall'Operatore dopo ") + QString::number(r.numero) +
               QStringLiteral(" MRN");
    case FineElenco::SenzaRete:
        return r.messaggio;
    case FineElenco::ElencoMancante:
        return QStringLiteral("L'elenco '") + elenco + QStringLiteral("' non esiste");
    case FineElenco::ElencoVuoto:
        return QStringLiteral("L'elenco '") + elenco + QStringLiteral("' non contiene MRN");
    case FineElenco::ElencoIlleggibile:
        return QStringLiteral("L'elenco '") + elenco + QStringLiteral("' non si può leggere");
    case FineElenco::EsitiNonScrivibili:
        return QStringLiteral("Non si può scrivere il file degli esiti");
    }
    return {};
}

QString TestoFineElenco(const RisultatoElenco& r, const RichiestaElenco& richiesta, EtichetteFine etichette) {
    struct Etichette {
        const char *mrn, *scartati, *nonMemorizzati, *fine, *unito, *nonUnito, *risultati;
    };
    static constexpr Etichette kCli{
        "MRN: ",    "skipped: ", "not stored: ", "end: ", "archive: merged", "archive: NOT updated",
        "results: "};
    static constexpr Etichette kFinestra{
        "MRN elaborati: ",     "Elementi scartati: ",     "MRN non memorizzati: ", "",
        "Archivio aggiornato", "Archivio NON aggiornato", "Risultati in: "};
    const Etichette& e = etichette == EtichetteFine::Cli ? kCli : kFinestra;
    const auto t = [](const char* s) { return QString::fromUtf8(s); };
    QStringList righe{t(e.mrn) + QString::number(r.numero) + QLatin1Char('/') + QString::number(r.totale),
                      t(e.scartati) + QString::number(r.scartati),
                      t(e.nonMemorizzati) + QString::number(r.nonMemorizzati),
                      t(e.fine) + DescriviFine(r, richiesta.elenco)};
    if (r.totale > 0) {
        if (richiesta.destinazione == Destinazione::Database)
            righe << t(r.unito ? e.unito : e.nonUnito);
        else
            righe << t(e.risultati) + QDir::toNativeSeparators(richiesta.fileEsiti);
    }
    return righe.join(QLatin1Char('\n'));
}

namespace {

RisultatoElenco elabora(const RichiestaElenco& richiesta, const GiroElenco& giro,
                        std::span<const QString> esito, std::span<const QString> titolo,
                        TabellaLavoro* lavoro, FileAperti& files, Messaggi& messaggi,
                        const CallbackElenco& callback) {
    RisultatoElenco r;
    const QString percorso = richiesta.elenco.trimmed();
    if (!EsisteFile(messaggi, percorso)) {
        r.fine = FineElenco::ElencoMancante;
        return r;
    }
    // A name with wildcards has no size of its own; the opener judges it.
    const QFileInfo info(percorso);
    if (info.exists() && info.size() == 0) {
        r.fine = FineElenco::ElencoVuoto;
        return r;
    }
    QString separatore = richiesta.separatore.trimmed();
    if (separatore.isEmpty()) separatore = QStringLiteral("|");

    FileDelGiro aperti{files};

    // First pass: how many MRNs the list holds.
    aperti.elenco = apriElenco(files, messaggi, percorso);
    if (!aperti.elenco) {
        r.fine = FineElenco::ElencoIlleggibile;
        return r;
    }
    const ConteggioElenco conto = ContaElementi(*files.file(aperti.elenco));
    files.Chiudi(aperti.elenco);
    aperti.elenco = 0;
    r.totale = conto.elementi;
    r.scartati = conto.scartati;
    if (r.totale == 0) {
        r.fine = conto.erroreLettura ? FineElenco::ElencoIlleggibile : FineElenco::ElencoVuoto;
        return r;
    }

    aperti.elenco = apriElenco(files, messaggi, percorso);
    if (!aperti.elenco) {
        r.fine = FineElenco::ElencoIlleggibile;
        return r;
    }
    const QString esiti = richiesta.fileEsiti;
    if (QFileInfo::exists(esiti)) QFile::remove(esiti);
    const int numeroEsiti = files.FreeFile();
    aperti.esiti = numeroEsiti ? ApriFile(files, messaggi, esiti, numeroEsiti, ModoFile::Output) : 0;
    if (!aperti.esiti) {
        r.fine = FineElenco::EsitiNonScrivibili;
        return r;
    }
    QFile& fileEsiti = *files.file(aperti.esiti);

    if (callback.inizio) callback.inizio(r.totale);

    if (lavoro) {
        lavoro->svuota();
        lavoro->apri();
    }

    LettoreElenco lettore(*files.file(aperti.elenco));
    GiroInterrogazioni g;
    g.connessioni = richiesta.connessioni;
    g.prossimo = [&lettore] { return lettore.prossimo(); };
    g.annullato = callback.annullato;
    g.avviso = callback.avviso;
    g.consegna = [&](const QString& mrn, int esitoInterrogazione) {
        ++r.numero;
        if (callback.avanzamento) callback.avanzamento({r.numero, r.totale, mrn});
        if (esitoInterrogazione == EsitoSenzaRete) {
            r.fine = FineElenco::SenzaRete;
            r.messaggio = voceDi(titolo, 2);
            return false;
        }
        switch (richiesta.destinazione) {
        case Destinazione::File:
            fileEsiti.write(platform::toAnsi(RigaEsitiFile(mrn, separatore, esito, titolo)));
            break;
        case Destinazione::Stampa:
            fileEsiti.write(platform::toAnsi(BloccoStampa(r.numero, mrn, esito, titolo)));
            break;
        case Destinazione::Database:
            if (lavoro && lavoro->databaseAperto() && lavoro->aperta())
                lavoro->scriviRiga(mrn, esito, titolo);
            else
                ++r.nonMemorizzati; // no work table to write to (closed, or never opened)
            break;
        }
        return true;
    };
    if (giro(g) == FineGiro::Annullato) r.fine = FineElenco::Annullato;
    r.erroreLettura = lettore.erroreLettura();
    r.scartati = std::max(r.scartati, lettore.scartati());

    if (lavoro) {
        lavoro->chiudi();
        r.nonMemorizzati += lavoro->righeNonScritte();
        if (lavoro->databaseAperto()) r.unito = lavoro->unisci();
    }
    return r;
}

} // namespace

RisultatoElenco ElaboraElenco(const RichiestaElenco& richiesta, const Interroga& interroga,
                              std::span<const QString> esito, std::span<const QString> titolo,
                              TabellaLavoro* lavoro, FileAperti& files, Messaggi& messaggi,
                              const CallbackElenco& callback) {
    const GiroElenco giro = [&interroga](const GiroInterrogazioni& g) {
        return InterrogaInSequenza(interroga, g);
    };
    return elabora(richiesta, giro, esito, titolo, lavoro, files, messaggi, callback);
}

RisultatoElenco ElaboraElenco(const RichiestaElenco& richiesta, StatoWeb& web, const AmbienteWeb& ambiente,
                              Trasporto& rete, TabellaLavoro* lavoro, FileAperti& files, Messaggi& messaggi,
                              const CallbackElenco& callback) {
    const GiroElenco giro = [&](const GiroInterrogazioni& g) {
        return InterrogaInParallelo(web, ambiente, rete, g);
    };
    return elabora(richiesta, giro, web.Esito, web.Titolo, lavoro, files, messaggi, callback);
}

RisultatoElenco ElaboraElenco(const RichiestaElenco& richiesta, StatoWeb& web, const AmbienteWeb& ambiente,
                              TabellaLavoro* lavoro, FileAperti& files, Messaggi& messaggi,
                              const CallbackElenco& callback) {
    TrasportoRete rete(web.SecondiAttesa);
    return ElaboraElenco(richiesta, web, ambiente, rete, lavoro, files, messaggi, callback);
}

} // namespace qv
