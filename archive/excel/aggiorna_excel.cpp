#include "archive/excel/aggiorna_excel.h"

#include "archive/excel/cartella_excel.h"
#include "archive/excel/conversione_office.h"
#include "archive/excel/stato_excel.h"
#include "archive/righe_esiti.h"
#include "archive/regole_attesa.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "shell/file_ini.h"
#include "shell/procedure_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <optional>

namespace qv {

namespace {

constexpr int kColonnaA = 1;

// A workbook opened for the update: .xls/.ods converted first.
struct CartellaAperta {
    std::unique_ptr<ConversioneOffice> conversione;
    std::unique_ptr<CartellaExcel> cartella;
    FoglioExcel* foglio = nullptr;

    ErroreExcel apri(const ParametriExcel& p, CartellaExcel::Modo modo) {
        ErroreExcel e;
        QString percorso = p.file;
        if (!QFileInfo::exists(percorso))
            return ErroreCartella(CodiceErroreExcel::FileMancante, QDir::toNativeSeparators(percorso));
        if (RichiedeConversione(percorso)) {
            if (modo == CartellaExcel::Modo::Scrittura && !QFileInfo(percorso).isWritable())
                return ErroreCartella(CodiceErroreExcel::SolaLettura, QDir::toNativeSeparators(percorso));
            conversione = std::make_unique<ConversioneOffice>();
            if ((e = conversione->converti(percorso)))
                return e;
            percorso = conversione->copia();
        }
        cartella = CartellaExcel::apri(percorso, modo, e);
        if (cartella)
            foglio = cartella->foglio(p.foglio, e);
        return e;
    }

    ErroreExcel salva() {
        if (!cartella->modificata())
            return {};
        if (ErroreExcel e = cartella->salva())
            return e;
        return conversione ? conversione->riporta() : ErroreExcel{};
    }
};

int apriLavoro(FileAperti& files, Messaggi& messaggi, const QString& percorso) {
    const int numero = files.FreeFile();
    return numero ? ApriFile(files, messaggi, percorso, numero, ModoFile::Input) : 0;
}

} // namespace

ParametriExcel LeggiParametriExcel(const QString& fileIni) {
    ParametriExcel p;
    p.file = LeggiIni(fileIni, kSezioneExcel, "EXCEL");
    p.foglio = LeggiIni(fileIni, kSezioneExcel, "FOGLIO");
    p.colMrn = int(ValoreNumerico(LeggiIni(fileIni, kSezioneExcel, "COLMRN")));
    p.colSts = int(ValoreNumerico(LeggiIni(fileIni, kSezioneExcel, "COLSTS")));
    return p;
}

void ScriviParametriExcel(const QString& fileIni, const ParametriExcel& p) {
    ScriviIni(fileIni, kSezioneExcel, "EXCEL", p.file);
    ScriviIni(fileIni, kSezioneExcel, "FOGLIO", p.foglio);
    ScriviIni(fileIni, kSezioneExcel, "COLMRN", double(p.colMrn));
    ScriviIni(fileIni, kSezioneExcel, "COLSTS", double(p.colSts));
}

ControlloExcel ControllaParametri(const ParametriExcel& p, int campo) {
    if (campo == 0 || campo == CampoFoglio) {
        if (!QFileInfo(p.file).isFile())
            return {CampoFoglio, QStringLiteral("Il file Excel  '") + p.file + QStringLiteral("'  non esiste")};
        CartellaAperta aperta;
        if (const ErroreExcel e = aperta.apri(p, CartellaExcel::Modo::Lettura)) {
            if (e.codice == CodiceErroreExcel::FoglioMancante)
                return {CampoFoglio, QStringLiteral("Il Folgio  '") + p.foglio + QStringLiteral("'  non esiste")};
            return {CampoFoglio, TestoErroreExcel(e)};
        }
    }
    if ((campo == 0 || campo == CampoColonnaMrn) && p.colMrn <= 0)
        return {CampoColonnaMrn, QStringLiteral("Indicare la colonna con i numeri MRN")};
    if ((campo == 0 || campo == CampoColonnaStato) && p.colSts <= 0)
        return {CampoColonnaStato, QStringLiteral("Indicare la colonna dove aggiornare lo STATUS")};
    return {};
}

QString TitoloControlloExcel(const QString& programma, int campo) {
    return programma.toUpper() + QStringLiteral(" -ERRORE N. ") + QString::number(campo);
}

qint64 LeggiMrnExcel(const FoglioExcel& foglio, int colMrn, int colSts, const QString& fileLavoro,
                     const std::function<bool()>& annullato, bool& fermato, ErroreExcel& errore) {
    fermato = false;
    QSaveFile lavoro(fileLavoro);
    if (!lavoro.open(QIODevice::WriteOnly)) {
        errore = ErroreCartella(CodiceErroreExcel::SalvataggioFallito, QDir::toNativeSeparators(fileLavoro));
        return -1;
    }
    qint64 raccolti = 0;
    QByteArray righe;
    for (qint64 riga = 1;; ++riga) {
        if (annullato && annullato()) {
            fermato = true;
            break;
        }
        if (foglio.testo(riga, kColonnaA).trimmed().isEmpty())
            break;
        if (!foglio.vuota(riga, colSts))
            continue;
        const QString mrn = foglio.testo(riga, colMrn).trimmed();
        if (mrn.isEmpty())
            continue;
        righe += mrn.toUtf8() + "\r\n";
        ++raccolti;
    }
    lavoro.write(righe);
    if (!lavoro.commit()) {
        errore = ErroreCartella(lavoro.error() == QFileDevice::ResourceError ? CodiceErroreExcel::DiscoPieno
                                                                              : CodiceErroreExcel::SalvataggioFallito,
                                QDir::toNativeSeparators(fileLavoro));
        return -1;
    }
    return fermato ? -1 : raccolti;
}

bool ScriviStatoExcel(FoglioExcel& foglio, const QString& mrn, int colMrn, int colSts, const QString& parola,
                      qint64& rigaPrecedente) {
    const auto corrisponde = [&](qint64 riga) { return foglio.testo(riga, colMrn).trimmed() == mrn; };
    for (qint64 riga = rigaPrecedente + 1; !foglio.testo(riga, kColonnaA).trimmed().isEmpty(); ++riga)
        if (corrisponde(riga)) {
            foglio.scrivi(riga, colSts, parola);
            rigaPrecedente = riga;
            return true;
        }
    for (qint64 riga = 1; riga < rigaPrecedente; ++riga)
        if (corrisponde(riga)) {
            foglio.scrivi(riga, colSts, parola);
            return true;
        }
    return false;
}

void AggiornaExcel(FoglioExcel& foglio, const ParametriExcel& p, const QString& fileLavoro, const GiroExcel& giro,
                   std::span<const QString> esito, std::span<const QString> titolo, FileAperti& files,
                   Messaggi& messaggi, const CallbackExcel& callback, RisultatoExcel& r) {
    const auto leggiVoci = [&](const std::function<bool(const QString&)>& voce) {
        const int numero = apriLavoro(files, messaggi, fileLavoro);
        if (!numero)
            return false;
        QFile& file = *files.file(numero);
        for (QByteArray riga; !(riga = file.readLine()).isEmpty();) {
            const QString mrn = QString::fromUtf8(riga).trimmed();
            if (!mrn.isEmpty() && !voce(mrn))
                break;
        }
        files.Chiudi(numero);
        return true;
    };
    r.totale = 0;
    if (!leggiVoci([&](const QString&) { return ++r.totale, true; })) {
        r.fine = FineExcel::ErroreAggiornamento;
        r.errore = ErroreCartella(CodiceErroreExcel::FileIlleggibile, QDir::toNativeSeparators(fileLavoro));
        return;
    }
    if (r.totale == 0)
        return;
    r.conteggi = {};
    if (callback.fase)
        callback.fase(TestoElaborazione(r.totale));
    qint64 n = 0;
    qint64 rigaPrecedente = 0;
    const int numero = apriLavoro(files, messaggi, fileLavoro);
    if (!numero)
        return;
    QFile& file = *files.file(numero);
    GiroInterrogazioni g;
    g.connessioni = callback.connessioni;
    g.prossimo = [&file]() -> std::optional<QString> {
        for (QByteArray riga; !(riga = file.readLine()).isEmpty();)
            if (const QString mrn = QString::fromUtf8(riga).trimmed(); !mrn.isEmpty())
                return mrn.toUpper();
        return std::nullopt;
    };
    g.annullato = callback.annullato;
    g.avviso = callback.avviso;
    g.consegna = [&](const QString& mrn, int esitoInterrogazione) {
        ++n;
        if (callback.avanzamento)
            callback.avanzamento({n, r.totale, mrn});
        if (esitoInterrogazione == EsitoSenzaRete) {
            r.fine = FineExcel::SenzaRete;
            r.messaggio = voceDi(titolo, 2);
            return false;
        }
        const int stato = StatoMrnExcel(mrn, esito, titolo);
        ++r.conteggi[size_t(stato)];
        if (stato > 0 && ScriviStatoExcel(foglio, mrn, p.colMrn, p.colSts, ParolaStato(stato), rigaPrecedente))
            ++r.scritti;
        return true;
    };
    if (giro(g) == FineGiro::Annullato)
        r.fine = FineExcel::Annullato;
    files.Chiudi(numero);
}

RisultatoExcel AggiornaFileExcel(const ParametriExcel& p, const QString& cartellaTemp, const GiroExcel& giro,
                                 std::span<const QString> esito, std::span<const QString> titolo, FileAperti& files,
                                 Messaggi& messaggi, const CallbackExcel& callback) {
    RisultatoExcel r;
    const auto ferma = [&r](const ErroreExcel& e) {
        r.fine = FineExcel::ErroreLettura;
        r.errore = e;
        return r;
    };
    if (const ControlloExcel c = ControllaParametri(p, CampoColonnaMrn); !c)
        return ferma({CodiceErroreExcel::ColonnaNonValida, c.messaggio});
    if (const ControlloExcel c = ControllaParametri(p, CampoColonnaStato); !c)
        return ferma({CodiceErroreExcel::ColonnaNonValida, c.messaggio});
    if (!QFileInfo(p.file).isFile())
        return ferma(ErroreCartella(CodiceErroreExcel::FileMancante, QDir::toNativeSeparators(p.file)));
    if (const QString blocco = FileBloccoCartella(p.file); !blocco.isEmpty())
        return ferma(ErroreCartella(CodiceErroreExcel::CartellaAperta, QDir::toNativeSeparators(blocco)));

    if (callback.fase)
        callback.fase(QStringLiteral("Estrazione MRN da appurare in corso ..."));
    CartellaAperta aperta;
    if (const ErroreExcel e = aperta.apri(p, CartellaExcel::Modo::Scrittura))
        return ferma(e);
    const QString fileLavoro = cartellaTemp + QString::fromLatin1(kFileXlsChk);
    bool fermato = false;
    ErroreExcel errore;
    const qint64 raccolti = LeggiMrnExcel(*aperta.foglio, p.colMrn, p.colSts, fileLavoro, callback.annullato, fermato, errore);
    if (fermato) {
        r.fine = FineExcel::Annullato;
        return r;
    }
    if (raccolti < 0)
        return ferma(errore);
    if (raccolti > 0)
        AggiornaExcel(*aperta.foglio, p, fileLavoro, giro, esito, titolo, files, messaggi, callback, r);
    if (r.fine == FineExcel::ErroreAggiornamento)
        return r;
    if (const ErroreExcel e = aperta.salva()) {
        r.fine = FineExcel::ErroreAggiornamento;
        r.errore = e;
        return r;
    }
    r.salvato = r.scritti > 0;
    return r;
}

RisultatoExcel AggiornaFileExcel(const ParametriExcel& p, const QString& cartellaTemp, const Interroga& interroga,
                                 std::span<const QString> esito, std::span<const QString> titolo, FileAperti& files,
                                 Messaggi& messaggi, const CallbackExcel& callback) {
    const GiroExcel giro = [&interroga](const GiroInterrogazioni& g) { return InterrogaInSequenza(interroga, g); };
    return AggiornaFileExcel(p, cartellaTemp, giro, esito, titolo, files, messaggi, callback);
}

RisultatoExcel AggiornaFileExcel(const ParametriExcel& p, StatoWeb& web, const AmbienteWeb& ambiente,
                                 FileAperti& files, Messaggi& messaggi, const CallbackExcel& callback) {
    TrasportoRete rete(web.SecondiAttesa);
    CallbackExcel cb = callback;
    if (cb.connessioni < 1)
        cb.connessioni = LeggiConnessioni(ambiente.fileIni);
    const GiroExcel giro = [&](const GiroInterrogazioni& g) { return InterrogaInParallelo(web, ambiente, rete, g); };
    return AggiornaFileExcel(p, web.CartellaTemp, giro, web.Esito, web.Titolo, files, messaggi, cb);
}

QString RiepilogoExcel(const RisultatoExcel& r) { return TestoRiepilogoExcel(r.totale, r.conteggi); }

QString MessaggioFineExcel(const RisultatoExcel& r) {
    switch (r.fine) {
    case FineExcel::ErroreLettura:
        return TestoErroreExcel(r.errore);
    case FineExcel::ErroreAggiornamento:
        return QStringLiteral("ERRORI in fase di Aggiornamento");
    case FineExcel::Annullato:
        return QStringLiteral("Aggiornamento annullato dall'Operatore");
    case FineExcel::Completato:
    case FineExcel::SenzaRete:
        break;
    }
    return QStringLiteral("Aggiornamento regolarmente eseguito");
}

} // namespace qv
