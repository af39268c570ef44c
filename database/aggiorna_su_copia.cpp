#include "database/aggiorna_su_copia.h"

#include "database/copia_database.h"
#include "database/dao/errore.h"
#include "database/file_database.h"
#include "shell/nome_programma.h"

#include <QFile>

namespace qv {

namespace {

// Messages of a run on the copy, shown with the working file's name.
class MessaggiSuCopia : public Messaggi {
public:
    MessaggiSuCopia(Messaggi& m, const QString& copia, const QString& lavoro) : m_(m), copia_(copia), lavoro_(lavoro) {}
    Risposta mostra(const Messaggio& messaggio) override {
        Messaggio t = messaggio;
        t.testo.replace(copia_, lavoro_);
        return m_.mostra(t);
    }
    using Messaggi::mostra;

private:
    Messaggi& m_;
    const QString copia_;
    const QString lavoro_;
};

} // namespace

QString FileAggiornamento(const QString& lavoro) { return lavoro + QStringLiteral(".aggiorna~"); }

void EseguiAggiornamentoSuCopia(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro,
                                bool automatico, const UscitaAggiornamento& uscita) {
    const QString l = lavoro.trimmed();
    const QString copia = FileAggiornamento(l);
    const bool aperto = s.DbLavoro.isOpen();
    bool eseguito = false;
    bool compattare = false;
    ChiudiDataBase(s);
    try {
        PresaEsclusiva presa(l);
        CopiaConsistente(l, copia);
        UscitaAggiornamento su = uscita;
        su.riga = [&](const QString& testo) {
            eseguito = true;
            if (uscita.riga)
                uscita.riga(QString(testo).replace(copia, l));
            if (testo.contains(QLatin1String("sostituisco")))
                PuntoInterruzione("ricostruzione");
        };
        su.compatta = [&](const QString&) { compattare = true; };
        MessaggiSuCopia mc(m, copia, l);
        s.StatoChiamata = 0;
        EseguiAggiornamento(s, mc, riferimento, copia, automatico, su);
        if (eseguito && s.StatoChiamata == 0)
            SostituisciFile(copia, l);
    } catch (const dao::ErroreDao& e) {
        s.StatoChiamata = e.numero();
        s.Messaggio = e.descrizione();
        m.mostra(s.Messaggio, QStringLiteral("ERRORE in aggiornamento"), Icona::Critica);
        s.Messaggio.clear();
    }
    QFile::remove(copia); // gone already after a completed run; a failed run's changes are dropped
    if (aperto)
        s.DatabaseAperto = ApriDataBase(s);
    if (compattare && uscita.compatta)
        uscita.compatta(l);
}

void AggiornaInAutomaticoSuCopia(StatoDatabase& s, Messaggi& m, const QString& cartella, const QString& nome,
                                 const UscitaAggiornamento& uscita) {
    s.StatoChiamata = 0;
    const QString riferimento = PercorsoRiferimento(cartella, nome);
    const QString lavoro = PercorsoDataBase(cartella, nome);
    if (!ValidaPercorsi(m, riferimento, lavoro)) {
        // The run then ends in an error outcome, as the upgrade's own would.
        EseguiAggiornamento(s, m, riferimento, lavoro, true, uscita);
        return;
    }
    EseguiAggiornamentoSuCopia(s, m, riferimento, lavoro, true, uscita);
}

} // namespace qv
