#include "shell/applicativi.h"

#include "shell/file_ini.h"
#include "shell/versione_programma.h"

namespace qv {

namespace {

const QString kSezione = QStringLiteral("APPLICATIVI");

QString chiaveTitolo(int n) {
    return QStringLiteral("NomeVarie") + QString::number(n);
}
QString chiaveProgramma(int n) {
    return QStringLiteral("Varie") + QString::number(n);
}

bool iniziaCon(const QString& testo, const char* prefisso) {
    return testo.startsWith(QLatin1String(prefisso), Qt::CaseInsensitive);
}

// "www..." is an address without its scheme: the shell gets "http:\\www...".
QString conSchema(const QString& target) {
    return iniziaCon(target, "www") ? QStringLiteral("http:\\\\") + target : target;
}

bool eIndirizzo(const QString& target) {
    return iniziaCon(target, "mail") || iniziaCon(target, "http");
}

} // namespace

QList<VoceApplicativo> CaricaApplicativi(const QString& fileIni, const QString& editorDiTesto,
                                         StatoApplicativi& stato) {
    if (LeggiIni(fileIni, kSezione, chiaveTitolo(1)).isEmpty())
        ScriviIni(fileIni, kSezione, chiaveTitolo(1), QStringLiteral("Editor di testi"));
    if (LeggiIni(fileIni, kSezione, chiaveProgramma(1)).isEmpty())
        ScriviIni(fileIni, kSezione, chiaveProgramma(1), editorDiTesto);

    QList<VoceApplicativo> voci;
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        VoceApplicativo v;
        v.titolo = LeggiIni(fileIni, kSezione, chiaveTitolo(n)).trimmed();
        v.programma = LeggiIni(fileIni, kSezione, chiaveProgramma(n)).trimmed();
        if (n == 1 && v.titolo.isEmpty()) v.titolo = QStringLiteral("Editor di Testi");
        v.visibile = !v.titolo.isEmpty() && !v.programma.isEmpty();
        if (v.visibile && v.programma.right(9).toUpper() == QLatin1String("EXCEL.EXE"))
            stato.ProgrammaExcel = v.programma;
        voci.append(v);
    }
    return voci;
}

QList<VoceApplicativo> RigheApplicativi(const QString& fileIni) {
    QList<VoceApplicativo> righe;
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        VoceApplicativo v;
        v.titolo = LeggiIni(fileIni, kSezione, chiaveTitolo(n)).trimmed();
        v.programma = LeggiIni(fileIni, kSezione, chiaveProgramma(n)).trimmed();
        v.visibile = n == 1 || !v.programma.isEmpty();
        if (!v.visibile) v.titolo.clear();
        righe.append(v);
    }
    return righe;
}

int ControllaRiga(int n, const QString& titolo, const QString& programma, const EsisteFileFn& esisteFile) {
    if (programma.trimmed().isEmpty()) return 0;
    if (titolo.trimmed().isEmpty()) return n;
    QString target = programma;
    const int virgolette = target.indexOf(QLatin1Char('"'));
    if (virgolette >= 0) target.truncate(virgolette);
    target = conSchema(target.trimmed());
    if (!eIndirizzo(target) && !esisteFile(target)) return n + kNumeroApplicativi;
    return 0;
}

Messaggio MessaggioErroreRiga(int numeroErrore) {
    const QString testo = numeroErrore <= kNumeroApplicativi
                              ? QStringLiteral("INDICARE IL NOME DEL PROGRAMMA\nDA VISUALIZZARE NEL MENU")
                              : QStringLiteral("IL PERCORSO INDICATO NON ESISTE");
    return Messaggio{testo, QStringLiteral("ERRORE N. ") + QString::number(numeroErrore), Icona::Critica,
                     Pulsanti::Ok, 0};
}

void SalvaApplicativi(const QString& fileIni, const QList<VoceApplicativo>& righe) {
    for (int i = 0; i < righe.size() && i < kNumeroApplicativi; ++i) {
        ScriviIni(fileIni, kSezione, chiaveTitolo(i + 1), righe[i].titolo.trimmed());
        ScriviIni(fileIni, kSezione, chiaveProgramma(i + 1), righe[i].programma.trimmed());
    }
}

ModuliOpzionali::ModuliOpzionali(const QString& fileIni, const QString& cartellaProgramma,
                                 StatoApplicativi& stato, Avviatore& avviatore, Messaggi& messaggi,
                                 EsisteFileFn esisteFile)
    : fileIni_(fileIni), cartella_(cartellaProgramma), stato_(stato), avviatore_(avviatore),
      messaggi_(messaggi), esisteFile_(std::move(esisteFile)) {}

void ModuliOpzionali::attivaProcedura() {
    const QString chiave = nomeProceduraChiamata;
    QString target = LeggiIni(fileIni_, kSezione, chiave);
    if (target.isEmpty()) target = cartella_ + QLatin1Char('/') + chiave + QStringLiteral(".EXE");
    target = conSchema(target);
    if (eIndirizzo(target)) {
        avviatore_.apriIndirizzo(target);
        return;
    }
    if (!esisteFile_(target)) {
        target = cartella_ + QLatin1Char('/') + chiave;
        if (!esisteFile_(target)) target = chiave;
    }
    if (esisteFile_(target))
        lanciaProcedura(target);
    else
        messaggi_.mostra(chiave + QStringLiteral(" non presente su ") + fileIni_, NomeProgramma);
}

void ModuliOpzionali::lanciaProcedura(const QString& target) {
    task_ = avviatore_.avviaProgramma(target, stato_.ArgomentiApplicativo, stato_.StileFinestraApplicativo);
    if (task_ == 0) messaggi_.mostra(target + QStringLiteral(" non trovato"), NomeProgramma);
    stato_.ArgomentiApplicativo.clear();
    stato_.StileFinestraApplicativo = 1;
}

void AvviaApplicativo(const QString& chiave, const QString& fileIni, const QString& cartellaProgramma,
                      StatoApplicativi& stato, Avviatore& avviatore, Messaggi& messaggi,
                      const EsisteFileFn& esisteFile) {
    ModuliOpzionali m(fileIni, cartellaProgramma, stato, avviatore, messaggi, esisteFile);
    m.nomeProceduraChiamata = chiave;
    m.attivaProcedura();
}

int RunFile(Avviatore& avviatore, Messaggi& messaggi, const QString& file, const QString& parametri,
            const QString& cartella, int mostra) {
    const EsitoShell esito = avviatore.apriDocumento(file, parametri, cartella, mostra);
    QString testo;
    if (esito.errore != 0) {
        testo =
            QStringLiteral("[") + QString::number(esito.errore) + QStringLiteral("]: ") + esito.descrizione;
    } else {
        switch (esito.codice) {
        case 0:
            testo = QStringLiteral("Memoria o risorse del sistema esaurite. ");
            break;
        case 2:
            testo = QStringLiteral("Impossibile trovare il file. ");
            break;
        case 3:
            testo = QStringLiteral("Impossibile trovare la cartella. ");
            break;
        case 11:
            testo = QStringLiteral("Il formato del file non è valido. ");
            break;
        case 31:
            testo =
                QStringList{
                    QStringLiteral(
                        "Il sistema in uso non presenta alcuna associazione per questo tipo di file. "),
                    QString(),
                    QStringLiteral("Installare un'applicazione appropriata oppure creare un'associazione. "),
                    QStringLiteral("Per creare un'associazione, selezionare il file sottoindicato. Tenendo "),
                    QStringLiteral(
                        "premuto il tasto Shift, cliccare col pulsante destro del mouse sul file. "),
                    QStringLiteral("Selezionare la voce \"Apri con...\" e spuntare la casella \"Utilizza "),
                    QStringLiteral("sempre...\". Selezionare l'applicazione appropriata e scegliere [Ok]. "),
                }
                    .join(QLatin1Char('\r'));
            break;
        default:
            break;
        }
    }
    if (!testo.isEmpty()) {
        testo += QStringLiteral("\r\rPercorso: '") + file.trimmed() + QStringLiteral("'\r");
        if (!cartella.trimmed().isEmpty())
            testo += QStringLiteral("Cartella: '") + cartella.trimmed() + QStringLiteral("'\r");
        if (!parametri.trimmed().isEmpty())
            testo += QStringLiteral("Parametri: '") + parametri.trimmed() + QStringLiteral("'");
        messaggi.mostra(testo, QStringLiteral("RunFile: Errore di esecuzione"), Icona::Critica);
    }
    return esito.codice;
}

} // namespace qv
