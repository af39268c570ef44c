#include "enquiry/ui/finestra_indirizzi_web.h"

#include "enquiry/parametri_web.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QLineEdit* casella(QWidget* sopra, int k) {
    auto* c = new QLineEdit(sopra);
    c->setObjectName(QStringLiteral("Txt_%1").arg(k));
    return c;
}

} // namespace

FinestraIndirizziWeb::FinestraIndirizziWeb(ContestoFinestre& contesto, StatoWeb& web, QWidget* parent)
    : QDialog(parent), contesto_(contesto), web_(web) {
    setObjectName(QStringLiteral("GParHttp"));
    setWindowTitle(QStringLiteral("INDIRIZZI WEB PER APPURAMENTI"));
    auto* layout = new QVBoxLayout(this);
    auto* indirizzi = new QGridLayout;
    const char* etichette[2] = {"Esportazioni (AES)", "Transiti (NCTS)"};
    for (int k = 1; k <= 2; ++k) {
        auto* etichetta = new QLabel(QString::fromLatin1(etichette[k - 1]), this);
        etichetta->setObjectName(QStringLiteral("Label1_%1").arg(k));
        caselle_[k - 1] = casella(this, k);
        caselle_[k - 1]->setMinimumWidth(
            QFontMetrics(font()).horizontalAdvance(QString(70, QLatin1Char('x'))));
        indirizzi->addWidget(etichetta, k - 1, 0);
        indirizzi->addWidget(caselle_[k - 1], k - 1, 1);
    }
    layout->addLayout(indirizzi);

    auto* marcatori = new QHBoxLayout;
    const char* cornici[2] = {"Definizione Tag  EXPORT", "Definizione Tag TRANSITI"};
    const char* nomi[6] = {"ERRORI: inizio", "fine", "DATI 1:    inizio", "fine", "DATI 2:   inizio", "fine"};
    for (int f = 0; f < 2; ++f) {
        auto* cornice = new QGroupBox(QString::fromLatin1(cornici[f]), this);
        auto* griglia = new QGridLayout(cornice);
        for (int i = 0; i < 6; ++i) {
            const int k = 3 + f * 6 + i;
            caselle_[k - 1] = casella(cornice, k);
            caselle_[k - 1]->setMaxLength(LunghezzaMarcatore);
            griglia->addWidget(new QLabel(QString::fromLatin1(nomi[i]), cornice), i / 2, (i % 2) * 2);
            griglia->addWidget(caselle_[k - 1], i / 2, (i % 2) * 2 + 1);
        }
        marcatori->addWidget(cornice);
    }
    layout->addLayout(marcatori);

    auto* pulsanti = new QHBoxLayout;
    const char* testi[3] = {"&ANNULLA", "&CONFERMA", "&RIPRISTINA"};
    std::array<QPushButton*, 3> p{};
    for (int i = 0; i < 3; ++i) {
        p[i] = new QPushButton(QString::fromLatin1(testi[i]), this);
        p[i]->setObjectName(QStringLiteral("cmdend_%1").arg(i));
        p[i]->setAutoDefault(false);
    }
    pulsanti->addWidget(p[2]);
    pulsanti->addStretch();
    pulsanti->addWidget(p[1]);
    pulsanti->addWidget(p[0]);
    layout->addLayout(pulsanti);
    connect(p[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(p[1], &QPushButton::clicked, this, &FinestraIndirizziWeb::conferma);
    connect(p[2], &QPushButton::clicked, this, [this] { mostraValori(IndirizziMarcatoriPredefiniti()); });

    UsaTastiComuni(this, QStringLiteral("%A"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    mostraValori(LeggiIndirizziMarcatori(contesto_.shell.FileIni, web_));
}

void FinestraIndirizziWeb::mostraValori(const IndirizziMarcatori& valori) {
    caselle_[0]->setText(valori.UrlExport);
    caselle_[1]->setText(valori.UrlTransiti);
    for (std::size_t k = 0; k < valori.marcatori.size(); ++k)
        caselle_[k + 2]->setText(valori.marcatori[k]);
}

void FinestraIndirizziWeb::conferma() {
    IndirizziMarcatori valori{caselle_[0]->text(), caselle_[1]->text(), {}};
    for (std::size_t k = 0; k < valori.marcatori.size(); ++k)
        valori.marcatori[k] = caselle_[k + 2]->text();
    const EsitoIndirizzi esito = ConfermaIndirizziWeb(contesto_.shell.FileIni, web_, valori);
    if (esito == EsitoIndirizzi::Scritti) {
        accept();
        return;
    }
    contesto_.messaggi.mostra(MessaggioIndirizzi(esito), NomeProgramma);
    caselle_[esito == EsitoIndirizzi::MancaExport ? 0 : 1]->setFocus();
}

} // namespace qv
