#pragma once
// The about window's texts, the maker's data, and how the system information
// program and the maker-information program are started.

#include "shell/applicativi.h"
#include "shell/versione_programma.h"

#include <QString>

namespace qv {

// The maker's contact data shown by the maker-information window.
struct DatiDitta {
    QString nome;
    QString indirizzo;
    QString telefono;
    QString fax;
    QString sitoWeb;
    QString email;
};
const DatiDitta& Ditta();
// The fixed legal notice of both information windows.
QString AvvisoLegale();

// " Informazioni su " + title; "Versione " + version; the purpose lines.
QString TitoloInformazioni(const QString& titoloProgramma);
QString TestoVersioneInformazioni(const VersioneProgramma& v);
QString DescrizioneProgramma();

// The system information program: the program's own path when it is known,
// else the folder's "MSINFO32.EXE" when that file exists; empty when neither.
QString ProgrammaInfoSistema(const QString& percorsoProgramma, const QString& cartella,
                             const EsisteFileFn& esisteFile);

// Starts the system information program, or says that it is not available.
void AvviaInfoSistema(Avviatore& avviatore, Messaggi& messaggi, const QString& percorsoProgramma,
                      const QString& cartella, const EsisteFileFn& esisteFile);

// The maker-information program "InfoZentri.exe" (or "InfoZentri"), looked
// up in the program folder and then on the search path. Returns whether it
// started; the caller opens its own window otherwise.
bool AvviaInfoDitta(Avviatore& avviatore, const QString& cartellaProgramma, const EsisteFileFn& esisteFile);

} // namespace qv
