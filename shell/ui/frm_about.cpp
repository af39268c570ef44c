#include "shell/ui/frm_about.h"

#include "shell/informazioni.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
#include "shell/ui/inf_ditta.h"
#include "shell/ui/tasti_comuni.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

frmAbout::frmAbout(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(TitoloInformazioni(NomeProgramma));
    auto* layout = new QVBoxLayout(this);
    lblTitle = new QLabel(NomeProgramma, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont grande = lblTitle->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.8);
    grande.setBold(true);
    lblTitle->setFont(grande);
    lblVersion = new QLabel(TestoVersioneInformazioni(Versione()), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(DescrizioneProgramma(), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    Lb_cr = new QLabel(AvvisoLegale(), this);
    Lb_cr->setObjectName(QStringLiteral("Lb_cr"));
    Lb_cr->setWordWrap(true);
    Label1 = new QLabel(Ditta().nome, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    if (desktop_.finestre.VerificaAggiornamenti) {
        lblVersion->setCursor(Qt::PointingHandCursor);
        lblVersion->setToolTip(QStringLiteral("Verifica aggiornamenti"));
    }
    lblVersion->installEventFilter(this);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblDescription);
    layout->addWidget(Label1);
    layout->addWidget(Lb_cr);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(cmdSysInfo);
    pulsanti->addWidget(cmdOK);
    layout->addLayout(pulsanti);
    setMinimumWidth(420);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { AvviaInfoSistema(desktop_); });

    UsaTastiComuni(this, QStringLiteral("%O"), false);
    adjustSize();
    RipristinaFinestra(this, desktop_, false);
}

bool frmAbout::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        if (oggetto == Label1) {
            MostraInfoDitta(desktop_, this);
            return true;
        }
        if (oggetto == lblVersion && desktop_.finestre.VerificaAggiornamenti) {
            desktop_.finestre.VerificaAggiornamenti(this, true);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void MostraInfoDitta(Desktop& desktop, QWidget* sopra) {
    if (AvviaInfoDitta(desktop.avviatore, desktop.shell.cartellaProgramma,
                       [&desktop](const QString& p) { return desktop.esisteFile(p); }))
        return;
    InfDitta finestra(desktop, sopra);
    finestra.exec();
}

void AvviaInfoSistema(Desktop& desktop) {
    const QStringList dove = desktop.infoSistema ? desktop.infoSistema() : QStringList();
    AvviaInfoSistema(desktop.avviatore, desktop.messaggi, dove.value(0), dove.value(1),
                     [&desktop](const QString& p) { return desktop.esisteFile(p); });
}

} // namespace qv
