#include "shell/ui/finestra_scelta_stampante.h"

#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

FinestraSceltaStampante::FinestraSceltaStampante(ContestoFinestre& contesto, const QString& plPrinter,
                                                 int plTopForm, int plLeftForm, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SelPrint"));
    setWindowTitle(QStringLiteral("GESTIONE DELLE STAMPANTI"));
    auto* layout = new QVBoxLayout(this);
    auto* riquadro = new QGroupBox(QStringLiteral(" SELEZIONA LA STAMPANTE DESIDERATA"), this);
    riquadro->setObjectName(QStringLiteral("Frame1"));
    auto* elenco = new QVBoxLayout(riquadro);
    layout->addWidget(riquadro);
    auto* pulsanti = new QHBoxLayout;
    auto* conferma = new QPushButton(QStringLiteral("&CONFERMA"), this);
    auto* annulla = new QPushButton(QStringLiteral("&ANNULLA"), this);
    conferma->setObjectName(QStringLiteral("Command1_0"));
    annulla->setObjectName(QStringLiteral("Command1_1"));
    for (QPushButton* p : {conferma, annulla}) {
        p->setAutoDefault(false);
        pulsanti->addWidget(p);
    }
    layout->addLayout(pulsanti);
    // Only a click chooses: confirming the printer shown selected is no choice.
    connect(conferma, &QPushButton::clicked, this, &QDialog::accept);
    connect(annulla, &QPushButton::clicked, this, [this] {
        pgPrinter_.clear();
        reject();
    });

    const QString selezionata = plPrinter.isEmpty() ? contesto.stampanteCorrente() : plPrinter;
    const QStringList stampanti =
        contesto.stampantiInstallate ? contesto.stampantiInstallate() : QStringList();
    for (int i = 0; i < stampanti.size(); ++i) {
        auto* opzione = new QRadioButton(stampanti[i], riquadro);
        opzione->setObjectName(QStringLiteral("Option1_%1").arg(i));
        elenco->addWidget(opzione);
        if (stampanti[i] == selezionata) opzione->setChecked(true);
        connect(opzione, &QRadioButton::clicked, this, [this, opzione] {
            if (inCaricamento_) return;
            pgPrinter_ = opzione->text();
            accept();
        });
    }
    UsaTastiComuni(this, QStringLiteral("%A"), true);
    adjustSize();
    const Schermo s = SchermoDi(this);
    move(int(plLeftForm / s.twipsPerPixelX), int(plTopForm / s.twipsPerPixelY));
    inCaricamento_ = false;
}

} // namespace qv
