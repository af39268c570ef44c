#pragma once
// The single enquiry window ("SingoloMrn"): one MRN typed, enquired and shown as up to nineteen lines, and
// printed. The request waits in a local event loop, so the window repaints
// while the page is fetched; its controls stay disabled until the answer.

#include "shell/ui/menu_interrogazione.h"

#include <QDialog>

#include <memory>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

struct AmbienteWeb;
struct ContestoFinestre;
struct StatoWeb;

class FinestraSingoloMrn : public QDialog {
    Q_OBJECT
public:
    // `web` and `ambienteWeb` are what the enquiry runs on.
    FinestraSingoloMrn(ContestoFinestre& contesto, StatoWeb& web, const AmbienteWeb& ambienteWeb,
                       QWidget* parent = nullptr);

    // The code the enquiry runs on: the MRN field as it was last left.
    const QString& codice() const { return codice_; }
    bool occupata() const { return occupata_; }

public slots:
    void analizza();
    void stampa();
    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void testoCambiato(const QString& testo);
    void lasciaCampo();
    void abilita(bool si);
    void svuotaRisultato();

    ContestoFinestre& contesto_;
    StatoWeb& web_;
    const AmbienteWeb& ambienteWeb_;
    std::unique_ptr<MenuInterrogazione> menu_; // "&FINE", "&Parametri", "&Stampante"
    QLineEdit* campoCodice_ = nullptr;         // the MRN
    QPushButton* pulsanteAnalizza_ = nullptr;
    QPushButton* pulsanteStampa_ = nullptr;
    std::array<QLabel*, 19> righeRisultato_{};
    QString codice_;
    bool senzaControllo_ = false;
    bool occupata_ = false;
};

} // namespace qv
