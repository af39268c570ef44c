#include "shell/ui/finestra_dati_ditta.h"

#include "shell/informazioni.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/finestra_informazioni.h"
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

FinestraDatiDitta::FinestraDatiDitta(ContestoFinestre& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
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
    sitoWeb_ = collegamento(d.sitoWeb, this);
    sitoWeb_->setObjectName(QStringLiteral("lblSito"));
    email_ = collegamento(d.email, this);
    email_->setObjectName(QStringLiteral("lblEmail"));
    sitoWeb_->installEventFilter(this);
    email_->installEventFilter(this);
    layout->addWidget(sitoWeb_);
    layout->addWidget(email_);
    auto* avviso = new QLabel(AvvisoLegale(), this);
    avviso->setWordWrap(true);
    layout->addWidget(avviso);
    auto* pulsanti = new QHBoxLayout;
    auto* infoSistema = new QPushButton(QStringLiteral("? &Sistema"), this);
    infoSistema->setObjectName(QStringLiteral("cmdInfoSys"));
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    pulsanti->addStretch();
    pulsanti->addWidget(infoSistema);
    pulsanti->addWidget(ok);
    layout->addLayout(pulsanti);
    setMinimumWidth(420);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(infoSistema, &QPushButton::clicked, this, [this] { AvviaInfoSistema(contesto_); });

    UsaTastiComuni(this, QStringLiteral("%O"), false);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
}

bool FinestraDatiDitta::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        if (oggetto == email_) {
            contesto_.avviatore.apriIndirizzo(QStringLiteral("mailto:") + Ditta().email);
            return true;
        }
        if (oggetto == sitoWeb_) {
            const QString sito = Ditta().sitoWeb;
            contesto_.avviatore.apriIndirizzo(
                sito.startsWith(QLatin1String("http")) ? sito : QStringLiteral("http://") + sito);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace qv
