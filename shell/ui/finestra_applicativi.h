#pragma once
// The applications window ("GesAppl", "Imposta Applicativi"): the eleven entries of the applications
// menu, each a caption and what it starts, checked line by line.

#include "shell/applicativi.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace qv {

struct ContestoFinestre;

class FinestraApplicativi : public QDialog {
    Q_OBJECT
public:
    explicit FinestraApplicativi(ContestoFinestre& contesto, QWidget* parent = nullptr);

signals:
    // Menu item n (1..11) takes this caption and is shown or hidden.
    void menuCambiato(int n, const QString& titolo, bool visibile);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void CaricaApplicativi();
    // 0 when line n is right; otherwise its error, shown, with the focus back.
    int ControllaRiga(int n);
    void CercaProgramma(int n);
    void conferma();

    // One line of the window: a menu caption, what it starts, and the
    // button that browses for a program.
    struct RigaApplicativo {
        QLineEdit* titolo = nullptr;
        QLineEdit* programma = nullptr;
        QPushButton* cerca = nullptr;
    };
    // Line n of the applications menu, 1..11.
    RigaApplicativo& riga(int n) { return righe_[std::size_t(n - 1)]; }

    ContestoFinestre& contesto_;
    std::array<RigaApplicativo, kNumeroApplicativi> righe_{};
    QPushButton* uscita_ = nullptr;
    QPushButton* ripristina_ = nullptr;
    bool erroreInCorso_ = false;
};

} // namespace qv
