#pragma once
// The schema upgrade window ("aggiornadb", "Aggiornamento database"): the
// reference and working paths (F4 picks a file, leaving a field checks
// them), "&ESEGUI" runs the upgrade on a copy of the working file with its
// log in the list, and offers the compaction after a manual run. Opened
// with StatoChiamata 1 (start-up) it runs by itself as it becomes active;
// closing it hands the outcome back in StatoChiamata.

#include "database/ui/registro_manutenzione.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qv {

struct ContestoFinestre;
struct StatoDatabase;

class FinestraAggiornaDb : public QDialog {
    Q_OBJECT
public:
    FinestraAggiornaDb(ContestoFinestre& contesto, StatoDatabase& database, QWidget* parent = nullptr);

    SceltaDataBase sceltaFile = ScegliDataBase; // tests replace it
    bool automatico() const { return automatico_; }

    void done(int esito) override;

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void validaPercorsi();
    void esegui(); // "&ESEGUI"
    void eseguiInAutomatico();
    // The core's output into the log; `riuscito` set when the log turns green.
    UscitaAggiornamento uscita(bool& riuscito);
    void fine(bool riuscito); // fields after a run, the outcome kept

    ContestoFinestre& contesto_;
    StatoDatabase& database_;
    QLineEdit* riferimento_ = nullptr; // "Text1"
    QLineEdit* lavoro_ = nullptr;      // "Text2"
    QListWidget* registro_ = nullptr;  // "List1"
    QPushButton* pulsanteEsegui_ = nullptr;
    QPushButton* pulsanteUscita_ = nullptr;
    bool automatico_ = false;
    bool avviato_ = false;      // the automatic run has started
    bool riportaFuoco_ = false; // the focus goes back to a refused path
    int esito_ = 0;
};

} // namespace qv
