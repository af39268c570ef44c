#pragma once
// Look-up of a nation without the database ("GesNaz"): a code chosen in the
// combo or typed shows its name and flag from the configuration's nation
// list; a code not there is asked about. It stores nothing.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

struct ContestoFinestre;
struct ElencoNazioni;
struct StatoDatabase;

class FinestraRicercaNazione : public QDialog {
    Q_OBJECT
public:
    // `elenco` is the list loaded at start-up; the combo comes from the table
    // instead when the database is open.
    FinestraRicercaNazione(ContestoFinestre& contesto, StatoDatabase& database, const ElencoNazioni& elenco,
                           QWidget* parent = nullptr);
    ~FinestraRicercaNazione() override;

    // Every way out ends here.
    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void cercaCodice();
    void svuota();

    ContestoFinestre& contesto_;
    StatoDatabase& database_;
    const ElencoNazioni& elenco_;
    QComboBox* nazioni_ = nullptr;          // "cbNazioni"
    QLineEdit* campoCodice_ = nullptr;      // "Txt_0"
    QLineEdit* campoDescrizione_ = nullptr; // "Txt_1"
    QLabel* bandiera_ = nullptr;            // "PctFlag"
    QPushButton* pulsanteConferma_ = nullptr;
    QPushButton* pulsanteUscita_ = nullptr;
};

} // namespace qv
