#include "shell/ui/finestra_password.h"

#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"
#include "shell/versione_programma.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

FinestraPassword::FinestraPassword(ContestoFinestre& contesto, Modo modo, QWidget* parent)
    : QDialog(parent), contesto_(contesto), modo_(modo) {
    setObjectName(QStringLiteral("GesPasWd"));
    auto* layout = new QVBoxLayout(this);
    const bool richiesta = modo_ == Modo::Richiesta;
    const QString titoli[3] = {richiesta ? QStringLiteral("PassWord") : QStringLiteral("Vecchia  PassWord"),
                               QStringLiteral("Nuova  PassWord"), QStringLiteral("Riperi  nuova  PassWord")};
    QLineEdit* campi[3] = {};
    for (int i = 0; i < 3; ++i) {
        auto* riquadro = new QGroupBox(titoli[i], this);
        riquadro->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        campi[i] = new QLineEdit(riquadro);
        campi[i]->setObjectName(QStringLiteral("txtPasswd_%1").arg(i));
        campi[i]->setEchoMode(QLineEdit::Password);
        campi[i]->installEventFilter(this);
        (new QVBoxLayout(riquadro))->addWidget(campi[i]);
        layout->addWidget(riquadro);
        riquadro->setVisible(!richiesta || i == 0);
    }
    vecchia_ = campi[0];
    nuova_ = campi[1];
    conferma_ = campi[2];
    if (richiesta) {
        // Only a stop for the focus after the password, so that Enter checks it.
        auto* sosta = new QLineEdit(this);
        sosta->setObjectName(QStringLiteral("Text1"));
        sosta->setFixedSize(1, 1);
        layout->addWidget(sosta);
    } else {
        auto* pulsanti = new QHBoxLayout;
        auto* abbandona = new QPushButton(QStringLiteral("&ABBANDONA"), this);
        abbandona->setObjectName(QStringLiteral("Command2_0"));
        auto* confermaPulsante = new QPushButton(QStringLiteral("&CONFERMA"), this);
        confermaPulsante->setObjectName(QStringLiteral("Command2_1"));
        for (QPushButton* p : {abbandona, confermaPulsante}) {
            p->setAutoDefault(false);
            pulsanti->addWidget(p);
        }
        layout->addLayout(pulsanti);
        connect(abbandona, &QPushButton::clicked, this, [this] { QDialog::reject(); });
        connect(confermaPulsante, &QPushButton::clicked, this, &FinestraPassword::conferma);
    }

    UsaTastiComuni(this, QStringLiteral("%A"), true);
    RipristinaFinestra(this, contesto_, false);
    if (richiesta) {
        setWindowTitle(QStringLiteral("RICHIESTA DELLA PASSWORD"));
        adjustSize();
        const Rettangolo r = RettangoloDi(this);
        ApplicaRettangolo(this, Rettangolo{r.left, r.top, r.width, 1400});
    } else {
        setWindowTitle(QStringLiteral("MODIFICA DELLA PASSWORD"));
    }
    vecchia_->setFocus();
}

void FinestraPassword::reject() {
    // The request cannot be dismissed: only the right password, three wrong
    // ones or the forced exit get past it.
    if (modo_ == Modo::Modifica || chiusuraForzata_) QDialog::reject();
}

bool FinestraPassword::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::FocusIn && !inVerifica_) {
        static_cast<QLineEdit*>(oggetto)->clear();
    } else if (evento->type() == QEvent::FocusOut && modo_ == Modo::Richiesta && oggetto == vecchia_ &&
               !inVerifica_) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
        if (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason)
            controllaRichiesta();
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraPassword::controllaRichiesta() {
    const auto esito = tentativi_.verifica(vecchia_->text(), contesto_.shell.PasswordProgramma);
    if (esito == TentativiPassword::Esito::Accettata) {
        accettata_ = true;
        accept();
    } else {
        errore(QStringLiteral("PASSWORD ERRATA"), vecchia_, esito);
    }
}

void FinestraPassword::errore(const QString& testo, QLineEdit* campo, TentativiPassword::Esito esito) {
    inVerifica_ = true;
    contesto_.messaggi.mostra(testo, NomeProgramma, Icona::Esclamazione);
    inVerifica_ = false;
    if (esito == TentativiPassword::Esito::Fine) {
        if (modo_ == Modo::Richiesta) {
            // The start-up reads the refusal and stops by itself.
            chiusuraForzata_ = true;
            reject();
        } else if (contesto_.terminaProgramma) {
            contesto_.terminaProgramma(0);
        }
        return;
    }
    campo->setFocus();
    campo->clear();
}

void FinestraPassword::conferma() {
    // The three-attempt rule applies to the old password as well.
    const auto esito = tentativi_.verifica(vecchia_->text(), contesto_.shell.PasswordProgramma);
    if (esito != TentativiPassword::Esito::Accettata) {
        errore(QStringLiteral("VECCHIA PASSWORD ERRATA"), vecchia_, esito);
        return;
    }
    if (nuova_->text() != conferma_->text()) {
        contesto_.messaggi.mostra(QStringLiteral("LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO"),
                                  NomeProgramma, Icona::Esclamazione);
        nuova_->clear();
        conferma_->clear();
        nuova_->setFocus();
        return;
    }
    ScriviRecordRiservato(FileRecordRiservato(contesto_.shell.cartellaProgramma),
                          NormalizzaPassword(nuova_->text()));
    accept();
}

bool RichiestaPassword(ContestoFinestre& contesto, QWidget* sopra) {
    contesto.shell.PasswordProgramma =
        PasswordDiAvvio(LeggiRecordRiservato(FileRecordRiservato(contesto.shell.cartellaProgramma)));
    if (contesto.shell.PasswordProgramma.isEmpty()) return true;
    FinestraPassword finestra(contesto, FinestraPassword::Modo::Richiesta, sopra);
    finestra.exec();
    return finestra.accettata();
}

} // namespace qv
