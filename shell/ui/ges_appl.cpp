#include "shell/ui/ges_appl.h"

#include "shell/applicativi.h"
#include "shell/procedure_file.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
#include "shell/ui/tasti_comuni.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTimer>
#include <QVBoxLayout>

namespace qv {

GesAppl::GesAppl(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("GesAppl"));
    setWindowTitle(QStringLiteral(" GESTIONE APPLICATIVI"));
    auto* layout = new QVBoxLayout(this);
    auto* griglia = new QGridLayout;
    griglia->addWidget(new QLabel(QStringLiteral("Voce del menu"), this), 0, 1);
    griglia->addWidget(new QLabel(QStringLiteral("Programma, indirizzo WEB o di posta"), this), 0, 2);
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        griglia->addWidget(new QLabel(QString::number(n), this), n, 0);
        Txt[n] = new QLineEdit(this);
        Txt[n + 11] = new QLineEdit(this);
        cmdTrova[n] = new QPushButton(QStringLiteral("..."), this);
        Txt[n]->setObjectName(QStringLiteral("Txt_%1").arg(n));
        Txt[n + 11]->setObjectName(QStringLiteral("Txt_%1").arg(n + 11));
        cmdTrova[n]->setObjectName(QStringLiteral("cmdTrova_%1").arg(n));
        cmdTrova[n]->setAutoDefault(false);
        cmdTrova[n]->setFocusPolicy(Qt::ClickFocus);
        Txt[n]->setMaxLength(199);
        Txt[n + 11]->setMaxLength(199);
        Txt[n + 11]->setMinimumWidth(360);
        Txt[n]->installEventFilter(this);
        Txt[n + 11]->installEventFilter(this);
        griglia->addWidget(Txt[n], n, 1);
        griglia->addWidget(Txt[n + 11], n, 2);
        griglia->addWidget(cmdTrova[n], n, 3);
        connect(cmdTrova[n], &QPushButton::clicked, this, [this, n] { CercaProgramma(n); });
    }
    layout->addLayout(griglia);
    auto* pulsanti = new QHBoxLayout;
    const QString testi[3] = {QStringLiteral("&USCITA"), QStringLiteral("&RIPRISTINA"),
                              QStringLiteral("&CONFERMA")};
    for (int i = 0; i < 3; ++i) {
        Command1[i] = new QPushButton(testi[i], this);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        Command1[i]->setAutoDefault(false);
        pulsanti->addWidget(Command1[i]);
    }
    layout->addLayout(pulsanti);
    // Tab goes down the captions, then down the programs.
    for (int i = 1; i < 22; ++i)
        setTabOrder(Txt[i], Txt[i + 1]);
    setTabOrder(Txt[22], Command1[0]);
    connect(Command1[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(Command1[1], &QPushButton::clicked, this, &GesAppl::CaricaApplicativi);
    connect(Command1[2], &QPushButton::clicked, this, &GesAppl::conferma);

    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    RipristinaFinestra(this, desktop_, false);
    CaricaApplicativi();
}

void GesAppl::CaricaApplicativi() {
    const QList<VoceApplicativo> righe = RigheApplicativi(desktop_.shell.FileIni);
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        const VoceApplicativo& v = righe[n - 1];
        Txt[n]->setText(v.titolo);
        Txt[n + 11]->setText(v.programma);
        cmdTrova[n]->setEnabled(!v.programma.isEmpty());
        emit menuCambiato(n, v.titolo, v.visibile);
    }
}

bool GesAppl::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* campo = qobject_cast<QLineEdit*>(oggetto);
    if (!campo) return QDialog::eventFilter(oggetto, evento);
    const int indice = int(std::find(std::begin(Txt), std::end(Txt), campo) - std::begin(Txt));
    if (evento->type() == QEvent::FocusIn && !erroreInCorso_) {
        QTimer::singleShot(0, campo, [campo] { campo->setSelection(0, 110); });
    } else if (evento->type() == QEvent::FocusOut && !erroreInCorso_) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
        QWidget* verso = QApplication::focusWidget();
        // Leaving for the exit or the reload checks nothing: those lines are dropped anyway.
        const bool uscita = verso == Command1[0] || verso == Command1[1];
        const bool dentro = r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
                            r == Qt::MouseFocusReason || r == Qt::OtherFocusReason;
        if (dentro && !uscita) {
            if (indice >= 1 && indice <= 11)
                cmdTrova[indice]->setEnabled(!campo->text().trimmed().isEmpty());
            else if (indice >= 12)
                ControllaRiga(indice - 11);
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

int GesAppl::ControllaRiga(int n) {
    const int errore = qv::ControllaRiga(n, Txt[n]->text(), Txt[n + 11]->text(),
                                         [this](const QString& p) { return desktop_.esisteFile(p); });
    if (errore == 0) return 0;
    erroreInCorso_ = true;
    desktop_.messaggi.mostra(MessaggioErroreRiga(errore));
    QLineEdit* campo = errore <= kNumeroApplicativi ? Txt[n] : Txt[n + 11];
    campo->setFocus();
    erroreInCorso_ = false;
    return errore;
}

void GesAppl::CercaProgramma(int n) {
    QString cartella = CartellaDi(Txt[n + 11]->text().trimmed());
    if (cartella.isEmpty()) {
        // "Programmi" at the root of the drive that holds the configuration file.
        const QStorageInfo disco(CartellaDi(desktop_.shell.FileIni));
        cartella =
            QDir(disco.isValid() ? disco.rootPath() : QDir::rootPath()).filePath(QStringLiteral("Programmi"));
    }
    if (!desktop_.sceltaProgramma) return;
    const QString scelto = desktop_.sceltaProgramma(this, cartella);
    if (!scelto.isEmpty()) Txt[n + 11]->setText(scelto);
}

void GesAppl::conferma() {
    for (int n = 1; n <= kNumeroApplicativi; ++n)
        if (ControllaRiga(n) != 0) return;
    QList<VoceApplicativo> righe;
    for (int n = 1; n <= kNumeroApplicativi; ++n)
        righe.append(
            {Txt[n]->text().trimmed(), Txt[n + 11]->text().trimmed(), !Txt[n]->text().trimmed().isEmpty()});
    SalvaApplicativi(desktop_.shell.FileIni, righe);
    for (int n = 1; n <= kNumeroApplicativi; ++n)
        emit menuCambiato(n, righe[n - 1].titolo, righe[n - 1].visibile);
    accept();
}

} // namespace qv
