#include "shell/ui/sel_print.h"

#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
#include "shell/ui/tasti_comuni.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

SelPrint::SelPrint(Desktop& desktop, const QString& plPrinter, int plTopForm, int plLeftForm, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SelPrint"));
    setWindowTitle(QStringLiteral("GESTIONE DELLE STAMPANTI"));
    auto* layout = new QVBoxLayout(this);
    Frame1 = new QGroupBox(QStringLiteral(" SELEZIONA LA STAMPANTE DESIDERATA"), this);
    auto* elenco = new QVBoxLayout(Frame1);
    layout->addWidget(Frame1);
    auto* pulsanti = new QHBoxLayout;
    Command1[0] = new QPushButton(QStringLiteral("&CONFERMA"), this);
    Command1[1] = new QPushButton(QStringLiteral("&ANNULLA"), this);
    for (int i = 0; i < 2; ++i) {
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        Command1[i]->setAutoDefault(false);
        pulsanti->addWidget(Command1[i]);
    }
    layout->addLayout(pulsanti);
    connect(Command1[0], &QPushButton::clicked, this, &QDialog::accept);
    connect(Command1[1], &QPushButton::clicked, this, [this] {
        pgPrinter_.clear();
        reject();
    });

    const QString selezionata = plPrinter.isEmpty() ? desktop.stampanteCorrente() : plPrinter;
    const QStringList stampanti = desktop.stampantiInstallate ? desktop.stampantiInstallate() : QStringList();
    for (int i = 0; i < stampanti.size(); ++i) {
        auto* opzione = new QRadioButton(stampanti[i], Frame1);
        opzione->setObjectName(QStringLiteral("Option1_%1").arg(i));
        elenco->addWidget(opzione);
        Option1 << opzione;
        if (stampanti[i] == selezionata) {
            opzione->setChecked(true);
            pgPrinter_ = stampanti[i];
        }
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
