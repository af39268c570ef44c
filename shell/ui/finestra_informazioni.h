#pragma once
// The about window ("frmAbout", "Su &Quorvan"): title, version and purpose of
// the program; the system information program; the maker's name leads to
// the maker's data, the version to the update check.

#include <QDialog>

class QLabel;
class QPushButton;

namespace qv {

struct ContestoFinestre;

class FinestraInformazioni : public QDialog {
    Q_OBJECT
public:
    explicit FinestraInformazioni(ContestoFinestre& contesto, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    ContestoFinestre& contesto_;
    QLabel* etichettaVersione_ = nullptr;
    QLabel* nomeDitta_ = nullptr;
};

// "Su &ZENTRI": the maker-information program, or the maker's data window
// when it cannot start.
void MostraInfoDitta(ContestoFinestre& contesto, QWidget* sopra);

// The system information program, or the message that it is not available.
void AvviaInfoSistema(ContestoFinestre& contesto);

} // namespace qv
