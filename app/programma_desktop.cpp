#include "app/programma_desktop.h"

#include "database/avvio_database.h"
#include "database/colori.h"
#include "database/file_database.h"
#include "database/nazioni.h"
#include "shell/versione_programma.h"

#include <QApplication>

namespace qv {

void CollegaDatabase(Desktop& d, StatoDatabase& db) {
    auto parametri = [&d] {
        return ParametriAvvio{d.shell.cartellaProgramma, NomeProgramma, d.shell.FileIni};
    };
    db.InizioAttesa = [] { QApplication::setOverrideCursor(Qt::WaitCursor); };
    db.FineAttesa = [] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    };
    d.database.caricaColori = [&d, &db] { db.ColoriGriglia = CaricaColoriGriglia(d.shell.FileIni); };
    d.database.preparaFile = [parametri] { PreparaFileProgramma(parametri()); };
    d.database.controllaRiferimento = [&d, &db, parametri](QWidget*) {
        UscitaAggiornamento uscita;
        uscita.eventi = [] { QCoreApplication::processEvents(); };
        const ParametriAvvio p = parametri();
        return ControllaRiferimento(db, d.messaggi, p, AggiornamentoSenzaFinestra(d.messaggi, p, uscita));
    };
    d.database.apriDatabase = [&d, &db] {
        ImpostaFileDataBase(db, d.shell.cartellaProgramma, NomeProgramma);
        d.web.CartellaTemp = db.CartellaTemp;
        db.DatabaseAperto = ApriDataBase(db);
        return db.DatabaseAperto;
    };
    d.database.caricaNazioniCee = [&d, &db] { CaricaNazioniCee(db, d.messaggi); };
    d.database.databaseAperto = [&db] { return db.DatabaseAperto; };
    d.database.chiudiDatabase = [&db] {
        if (db.DatabaseAperto) ChiudiDataBase(db);
    };
}

ProgrammaDesktop::ProgrammaDesktop(const QString& cartella)
    : desktop_(shell_, web_, messaggi_, avviatore_), filtro_(desktop_) {
    shell_.cartellaProgramma = cartella;
    ImpostaPiattaforma(desktop_);
    desktop_.fileAperti = &fileAperti_;
    desktop_.ambienteWeb.http = &http_;
    desktop_.ambienteWeb.messaggi = &messaggi_;
    desktop_.ambienteWeb.apriDocumento = &apriDocumento_;
    desktop_.ambienteWeb.fileAperti = &fileAperti_;
    CollegaDatabase(desktop_, db_);
    startup_ = std::make_unique<Startup>(desktop_);
}

bool ProgrammaDesktop::avvia() {
    if (!startup_->avvia()) return false;
    http_.setTimeoutMs(web_.SecondiAttesa * 1000);
    return true;
}

} // namespace qv
