#include "shell/ui/inf_ditta.h"

#include "shell/informazioni.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
#include "shell/ui/frm_about.h"
#include "shell/ui/tasti_comuni.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {
// A link-like label: highlighted while the mouse is over it.
QLabel* collegamento(const QString& testo, QWidget* parent) {
    auto* l = new QLabel(testo, parent);
    l->setCursor(Qt::PointingHandCursor);
    l->setStyleSheet(QStringLiteral("QLabel { color: #00309c; } QLabel:hover { color: #c00000; "
                                    "text-decoration: underline; }"));
    l->setAttribute(Qt::WA_Hover);
    return l;
}
} // namespace

InfDitta::InfDitta(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("InfDitta"));
    setWindowTitle(QStringLiteral("Informazioni sul produttore del SoftWare"));
    const DatiDitta& d = Ditta();
    auto* layout = new QVBoxLayout(this);
    auto* nome = new QLabel(d.nome, this);
    QFont f = nome->font();
    f.setBold(true);
    nome->setFont(f);
    layout->addWidget(nome);
    layout->addWidget(new QLabel(d.indirizzo, this));
    layout->addWidget(new QLabel(d.telefono + QStringLiteral("   ") + d.fax, this));
    lblSito = collegamento(d.sitoWeb, this);
    lblSito->setObjectName(QStringLiteral("lblSito"));
    lblEmail = collegamento(d.email, this);
    lblEmail->setObjectName(QStringLiteral("lblEmail"));
    lblSito->installEventFilter(this);
    lblEmail->installEventFilter(this);
    layout->addWidget(lblSito);
    layout->addWidget(lblEmail);
    auto* avviso = new QLabel(AvvisoLegale(), this);
    avviso->setWordWrap(true);
    layout->addWidget(avviso);
    auto* pulsanti = new QHBoxLayout;
    cmdInfoSys = new QPushButton(QStringLiteral("? &Sistema"), this);
    cmdInfoSys->setObjectName(QStringLiteral("cmdInfoSys"));
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    pulsanti->addStretch();
    pulsanti->addWidget(cmdInfoSys);
    pulsanti->addWidget(cmdOK);
    layout->addLayout(pulsanti);
    setMinimumWidth(420);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdInfoSys, &QPushButton::clicked, this, [this] { AvviaInfoSistema(desktop_); });

    UsaTastiComuni(this, QStringLiteral("%O"), false);
    adjustSize();
    RipristinaFinestra(this, desktop_, false);
}

bool InfDitta::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        if (oggetto == lblEmail) {
            desktop_.avviatore.apriIndirizzo(QStringLiteral("mailto:") + Ditta().email);
            return true;
        }
        if (oggetto == lblSito) {
            const QString sito = Ditta().sitoWeb;
            desktop_.avviatore.apriIndirizzo(
                sito.startsWith(QLatin1String("http")) ? sito : QStringLiteral("http://") + sito);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace qv
