#pragma once
// An update file downloaded by the program itself into the user's download
// folder, with a progress dialog that can cancel; then the folder is offered.

#include <QString>

class QWidget;

namespace qv {

struct ContestoFinestre;

// The user's download folder (the home folder when there is none).
QString CartellaScaricamenti();

// Downloads `indirizzo` into `cartella` under its own file name, replacing a
// file of that name only once the download is complete. A failure is told
// ("SCARICAMENTO NON RIUSCITO"); a cancel leaves nothing behind. On success
// asks whether to open the folder. Returns the saved file, "" otherwise.
QString ScaricaFile(ContestoFinestre& contesto, QWidget* sopra, const QString& indirizzo,
                    const QString& cartella);

} // namespace qv
