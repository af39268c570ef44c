#pragma once
// GesPasWd: asks for the program password at start-up (three tries) or, from
// the menu, changes it after checking the old one.

#include "shell/password.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace qv {

struct Desktop;

class GesPasWd : public QDialog {
    Q_OBJECT
public:
    enum class Modo { Richiesta, Modifica };

    GesPasWd(Desktop& desktop, Modo modo, QWidget* parent = nullptr);

    QGroupBox* Frame1[3] = {};
    QLineEdit* txtPasswd[3] = {};
    QPushButton* Command2[2] = {}; // 0 "&ABBANDONA", 1 "&CONFERMA"
    QLineEdit* Text1 = nullptr;    // only the next stop for the focus

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void controllaRichiesta();
    void conferma();
    // A wrong answer: the message, then the focus back to `campo`, or the
    // end of the program at the third.
    void errore(const QString& testo, QLineEdit* campo, TentativiPassword::Esito esito);

    Desktop& desktop_;
    Modo modo_;
    TentativiPassword tentativi_;
    bool inVerifica_ = false;
};

// Start-up: asks for the password when one is set. Loads PasswordProgramma
// from the private record first.
void RichiestaPassword(Desktop& desktop, QWidget* sopra);

} // namespace qv
