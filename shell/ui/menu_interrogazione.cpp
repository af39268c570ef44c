#include "shell/ui/menu_interrogazione.h"

#include "shell/ui/contesto_finestre.h"

#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QVBoxLayout>

namespace qv {

MenuInterrogazione::MenuInterrogazione(QDialog* finestra, QVBoxLayout* layout, ContestoFinestre& contesto,
                                       const std::function<void()>& primaDeiParametri)
    : contesto_(contesto) {
    auto* menu = new QMenuBar(finestra);
    fine_ = menu->addAction(QStringLiteral("&FINE"));
    parametri_ = menu->addAction(QStringLiteral("&Parametri"));
    stampante_ = menu->addAction(QStringLiteral("&Stampante"));
    fine_->setObjectName(QStringLiteral("Mu_end"));
    parametri_->setObjectName(QStringLiteral("Mu_param"));
    stampante_->setObjectName(QStringLiteral("Mu_print"));
    layout->setMenuBar(menu);
    QObject::connect(fine_, &QAction::triggered, finestra, &QDialog::close);
    QObject::connect(parametri_, &QAction::triggered, finestra, [finestra, &contesto, primaDeiParametri] {
        if (primaDeiParametri) primaDeiParametri();
        contesto.FinestraRiferimento = finestra;
        contesto.apri(IdFinestra::GWebPar, finestra);
    });
    QObject::connect(stampante_, &QAction::triggered, finestra,
                     [finestra, &contesto] { contesto.scegliStampante(finestra); });
    abilita(true);
}

void MenuInterrogazione::abilita(bool si) {
    fine_->setEnabled(si);
    parametri_->setEnabled(si && contesto_.disponibile(IdFinestra::GWebPar));
    stampante_->setEnabled(si);
}

} // namespace qv
