#pragma once
// The password window ("GesPasWd"): asks for the program password at
// start-up (three tries) or, from the menu, changes it after checking the
// old one.

#include "shell/password.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace qv {

struct ContestoFinestre;

class FinestraPassword : public QDialog {
    Q_OBJECT
public:
    enum class Modo { Richiesta, Modifica };

    FinestraPassword(ContestoFinestre& contesto, Modo modo, QWidget* parent = nullptr);

    // Start-up: true once the right password was typed.
    bool accettata() const { return accettata_; }

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void controllaRichiesta();
    void conferma();
    // A wrong answer: the message, then the focus back to `campo`; at the
    // third the request closes unanswered, a change ends the program.
    void errore(const QString& testo, QLineEdit* campo, TentativiPassword::Esito esito);

    ContestoFinestre& contesto_;
    Modo modo_;
    TentativiPassword tentativi_;
    QLineEdit* vecchia_ = nullptr; // the password asked for, or the old one
    QLineEdit* nuova_ = nullptr;
    QLineEdit* conferma_ = nullptr; // the new one typed again
    bool inVerifica_ = false;
    bool accettata_ = false;
    bool chiusuraForzata_ = false;
};

// Start-up: asks for the password when one is set (PasswordProgramma is
// loaded from the private record first). False after three wrong answers:
// the start-up goes no further.
bool RichiestaPassword(ContestoFinestre& contesto, QWidget* sopra);

} // namespace qv
