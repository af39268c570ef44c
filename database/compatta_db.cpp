#include "database/compatta_db.h"

#include "database/copia_database.h"
#include "database/dao/connessione.h"
#include "database/dao/errore.h"
#include "database/dao/workspace.h"
#include "database/file_database.h"
#include "shell/nome_programma.h"

#include <QFile>

namespace qv {

void RigaManutenzione(const UscitaAggiornamento& u, const QString& testo) {
    if (u.riga)
        u.riga(testo);
    if (u.eventi)
        u.eventi();
}

QString FileCompattamento(const QString& percorso) { return percorso.chopped(qMin(4, percorso.size())) + QStringLiteral("~.mdb"); }

int ErroreManutenzione(StatoDatabase& s, Messaggi& m, int numero, const QString& descrizione,
                       const QString& generico, const QString& percorso) {
    FineAttesa(s);
    s.Messaggio = erroreDiOccupazione(numero)
                      ? descrizione
                      : generico + percorso + QLatin1Char('\n') + QStringLiteral("CHIEDERE L'INTERVENTO DEL SISTEMISTA");
    m.mostra(s.Messaggio, NomeProgramma);
    s.Messaggio.clear();
    // Closed until the next successful open: the file may not be what it was.
    ChiudiDataBase(s);
    s.DatabaseAperto = false;
    return numero;
}

int CompattaDataBase(StatoDatabase& s, Messaggi& m, const QString& percorso, const UscitaAggiornamento& u) {
    InizioAttesa(s);
    if (u.sfondo)
        u.sfondo(kSfondoInCorso);
    RigaManutenzione(u, QStringLiteral("------------- Compattamento ") + QStringLiteral(" :   ") + percorso);
    const QString temporaneo = FileCompattamento(percorso);
    try {
        RigaManutenzione(u, QStringLiteral("Compattamento in corso ..."));
        ChiudiDataBase(s);
        dao::DBEngine::CompactDatabase(percorso, temporaneo);
        try {
            PuntoInterruzione("copia");
            {
                PresaEsclusiva nuovo(temporaneo);
                nuovo.esegui(QStringLiteral("ANALYZE"));
            }
            PresaEsclusiva presa(percorso); // nobody came in since the copy
            SostituisciFile(temporaneo, percorso);
        } catch (...) {
            QFile::remove(temporaneo); // our own complete copy; the working file is untouched
            throw;
        }
    } catch (const dao::ErroreDao& e) {
        const int n = ErroreManutenzione(s, m, e.numero(), e.descrizione(),
                                         QStringLiteral("ERRORE IN FASE DI COMPATTAMENTO DEL DATABASE "), percorso);
        RigaManutenzione(u, percorso + QStringLiteral(" NON compattato"));
        return n;
    }
    s.DatabaseAperto = ApriDataBase(s);
    FineAttesa(s);
    RigaManutenzione(u, QStringLiteral("Compattatamento effettuato."));
    if (u.sfondo)
        u.sfondo(kSfondoRiuscito);
    return 0;
}

} // namespace qv
