#include "shell/ui/ges_paswd.h"

#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
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

GesPasWd::GesPasWd(Desktop& desktop, Modo modo, QWidget* parent)
    : QDialog(parent), desktop_(desktop), modo_(modo) {
    setObjectName(QStringLiteral("GesPasWd"));
    setWindowTitle(QStringLiteral("  GESTIONE DELLA PASSWORD"));
    auto* layout = new QVBoxLayout(this);
    const QString titoli[3] = {QStringLiteral("PassWord"), QStringLiteral("Nuova  PassWord"),
                               QStringLiteral("Riperi  nuova  PassWord")};
    for (int i = 0; i < 3; ++i) {
        Frame1[i] = new QGroupBox(titoli[i], this);
        Frame1[i]->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        txtPasswd[i] = new QLineEdit(Frame1[i]);
        txtPasswd[i]->setObjectName(QStringLiteral("txtPasswd_%1").arg(i));
        txtPasswd[i]->setEchoMode(QLineEdit::Password);
        txtPasswd[i]->installEventFilter(this);
        auto* l = new QVBoxLayout(Frame1[i]);
        l->addWidget(txtPasswd[i]);
        layout->addWidget(Frame1[i]);
    }
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFixedSize(1, 1); // a stop for the focus, nothing to read
    layout->addWidget(Text1);
    auto* pulsanti = new QHBoxLayout;
    Command2[0] = new QPushButton(QStringLiteral("&ABBANDONA"), this);
    Command2[1] = new QPushButton(QStringLiteral("&CONFERMA"), this);
    for (int i = 0; i < 2; ++i) {
        Command2[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        Command2[i]->setAutoDefault(false);
        pulsanti->addWidget(Command2[i]);
    }
    layout->addLayout(pulsanti);
    connect(Command2[0], &QPushButton::clicked, this, [this] { QDialog::reject(); });
    connect(Command2[1], &QPushButton::clicked, this, &GesPasWd::conferma);

    UsaTastiComuni(this, QStringLiteral("%A"), true);
    RipristinaFinestra(this, desktop_, false);
    for (QLineEdit* t : txtPasswd)
        t->clear();

    if (modo_ == Modo::Richiesta) {
        Frame1[0]->setTitle(QStringLiteral("PassWord"));
        Frame1[1]->hide();
        Frame1[2]->hide();
        Command2[0]->hide();
        Command2[1]->hide();
        Text1->show();
        setWindowTitle(QStringLiteral("RICHIESTA DELLA PASSWORD"));
        adjustSize();
        const Rettangolo r = RettangoloDi(this);
        ApplicaRettangolo(this, Rettangolo{r.left, r.top, r.width, 1400});
    } else {
        Frame1[0]->setTitle(QStringLiteral("Vecchia  PassWord"));
        Text1->hide();
        setWindowTitle(QStringLiteral("MODIFICA DELLA PASSWORD"));
    }
    txtPasswd[0]->setFocus();
}

void GesPasWd::reject() {
    // The request cannot be dismissed: only the right password (or the forced
    // exit) gets past it.
    if (modo_ == Modo::Modifica) QDialog::reject();
}

bool GesPasWd::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::FocusIn && !inVerifica_) {
        static_cast<QLineEdit*>(oggetto)->clear();
    } else if (evento->type() == QEvent::FocusOut && modo_ == Modo::Richiesta && oggetto == txtPasswd[0] &&
               !inVerifica_) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
        if (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason)
            controllaRichiesta();
    }
    return QDialog::eventFilter(oggetto, evento);
}

void GesPasWd::controllaRichiesta() {
    const auto esito = tentativi_.verifica(txtPasswd[0]->text(), desktop_.shell.PasswordProgramma);
    if (esito == TentativiPassword::Esito::Accettata)
        accept();
    else
        errore(QStringLiteral("PASSWORD ERRATA"), txtPasswd[0], esito);
}

void GesPasWd::errore(const QString& testo, QLineEdit* campo, TentativiPassword::Esito esito) {
    inVerifica_ = true;
    desktop_.messaggi.mostra(testo, NomeProgramma, Icona::Esclamazione);
    inVerifica_ = false;
    if (esito == TentativiPassword::Esito::Fine) {
        if (desktop_.terminaProgramma) desktop_.terminaProgramma(0);
        return;
    }
    campo->setFocus();
    campo->clear();
}

void GesPasWd::conferma() {
    // The three-attempt rule applies to the old password as well.
    const auto esito = tentativi_.verifica(txtPasswd[0]->text(), desktop_.shell.PasswordProgramma);
    if (esito != TentativiPassword::Esito::Accettata) {
        errore(QStringLiteral("VECCHIA PASSWORD ERRATA"), txtPasswd[0], esito);
        return;
    }
    if (txtPasswd[1]->text() != txtPasswd[2]->text()) {
        desktop_.messaggi.mostra(QStringLiteral("LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO"),
                                 NomeProgramma, Icona::Esclamazione);
        txtPasswd[1]->clear();
        txtPasswd[2]->clear();
        txtPasswd[1]->setFocus();
        return;
    }
    ScriviRecordRiservato(FileRecordRiservato(desktop_.shell.cartellaProgramma),
                          NormalizzaPassword(txtPasswd[1]->text()));
    accept();
}

void RichiestaPassword(Desktop& desktop, QWidget* sopra) {
    desktop.shell.PasswordProgramma =
        PasswordDiAvvio(LeggiRecordRiservato(FileRecordRiservato(desktop.shell.cartellaProgramma)));
    if (desktop.shell.PasswordProgramma.isEmpty()) return;
    GesPasWd finestra(desktop, GesPasWd::Modo::Richiesta, sopra);
    finestra.exec();
}

} // namespace qv
