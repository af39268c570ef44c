#pragma once
// Maintenance of the table Nazioni ("GesNazDB"): a code typed (or a prefix of
// it) shows its nation with its flag; a code not there may be inserted; the
// description confirmed or the nation deleted; previous and next with the
// buttons or Up and Down; F4 picks a nation from the list "EleNaz".

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

struct ContestoFinestre;
struct Nazione;
struct StatoDatabase;

class FinestraNazioni : public QDialog {
    Q_OBJECT
public:
    FinestraNazioni(ContestoFinestre& contesto, StatoDatabase& database, QWidget* parent = nullptr);
    ~FinestraNazioni() override;

public:
    // Every way out (USCITA, F2, Escape, the window's close box) ends here.
    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    enum class Modo { Ricerca, Variazione, Inserimento };

    void lasciaCodice();
    void mostraNazione(const Nazione& n);
    void imposta(Modo modo);
    void svuota();
    void conferma();
    void elimina();
    void muoviti(bool successiva);
    void elencoNazioni();

    ContestoFinestre& contesto_;
    StatoDatabase& database_;
    QLineEdit* campoCodice_ = nullptr;      // "Cod1"
    QLineEdit* campoDescrizione_ = nullptr; // "Btxt"
    QLabel* bandiera_ = nullptr;            // "PctFlag"
    QPushButton* pulsanteConferma_ = nullptr;
    QPushButton* pulsanteElimina_ = nullptr;
    QPushButton* pulsanteAnnulla_ = nullptr;
    QPushButton* pulsanteUscita_ = nullptr;
    QPushButton* pulsantePrecedente_ = nullptr;
    QPushButton* pulsanteSuccessiva_ = nullptr;
};

} // namespace qv
