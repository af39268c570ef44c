// The browser's filter panel: its controls, the rules of their events, the
// processing-date fields with their checks, keys and date picker.

#include "archive/colonne_griglia.h"
#include "archive/controllo_data.h"
#include "archive/ui/contesto_archivio.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "shell/elenco_nazioni.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/finestra_calendario.h"
#include "shell/ui/tasti_comuni.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace qv {

QWidget* FinestraArchivioMrn::costruisciFiltri() {
    pannelloFiltri_ = new QWidget(this);
    pannelloFiltri_->setObjectName(QStringLiteral("Picture1"));
    auto* griglia = new QGridLayout(pannelloFiltri_);
    griglia->setContentsMargins(0, 0, 0, 0);
    int colonna = 0;
    const auto aggiungi = [&](const QString& etichetta, QWidget* controllo) {
        if (!etichetta.isEmpty()) {
            auto* l = new QLabel(etichetta, pannelloFiltri_);
            l->setBuddy(controllo);
            griglia->addWidget(l, 0, colonna);
        }
        griglia->addWidget(controllo, 1, colonna);
        ++colonna;
    };
    const auto combo = [&](const char* nome, const QStringList& voci) {
        auto* c = new QComboBox(pannelloFiltri_);
        c->setObjectName(QLatin1String(nome));
        c->addItems(voci);
        return c;
    };
    sceltaStato_ = combo("cbStato", VociStato());
    QStringList nazioni{QStringLiteral(" ")};
    const ElencoNazioni& elenco = archivio_.nazioni;
    for (int i = 0; i < elenco.CodiciNazioni.size(); ++i)
        if (!elenco.CodiciNazioni.at(i).trimmed().isEmpty())
            nazioni << elenco.CodiciNazioni.at(i) + QStringLiteral(" - ") + elenco.NomiNazioni.value(i);
    sceltaNazione_ = combo("cbNazioni", nazioni);
    sceltaNazione_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    sceltaNazione_->setMinimumContentsLength(14);
    QStringList anni{QStringLiteral(" ")};
    for (int a = 7; a <= QDate::currentDate().year() % 100; ++a)
        anni << QStringLiteral("%1").arg(a, 2, 10, QLatin1Char('0'));
    sceltaAnno_ = combo("cbAnno", anni);
    sceltaTipo_ = combo("cbTipo", {QStringLiteral(" "), QStringLiteral("E"), QStringLiteral("T")});
    aggiungi(QStringLiteral("Condizione"), sceltaStato_);
    aggiungi(QStringLiteral("Nazione"), sceltaNazione_);
    aggiungi(QStringLiteral("Anno "), sceltaAnno_);
    aggiungi(QStringLiteral("Tipo"), sceltaTipo_);

    for (int k = 0; k < 8; ++k) {
        auto* c = new QLineEdit(k == 7 ? nullptr : pannelloFiltri_);
        c->setObjectName(QStringLiteral("Txt_%1").arg(k + 1));
        c->installEventFilter(this);
        if (k < 7)
            InvioProprio(c); // Enter in the corrected MRN moves on, as Tab does
        if (k < 6) {
            CampoNumerico(c);
            c->setMaxLength(k % 3 == 2 ? 4 : 2);
            c->setFixedWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
        } else {
            CampoMaiuscolo(c);
            c->setMaxLength(18);
            c->setMinimumWidth(c->fontMetrics().horizontalAdvance(QString(14, QLatin1Char('0'))));
        }
        campi_[std::size_t(k)] = c;
    }
    for (int quale = 0; quale < 2; ++quale) {
        auto* data = new QWidget(pannelloFiltri_);
        auto* riga = new QHBoxLayout(data);
        riga->setContentsMargins(0, 0, 0, 0);
        riga->setSpacing(1);
        for (int k = 0; k < 3; ++k)
            riga->addWidget(campi_[std::size_t(quale * 3 + k)]);
        pulsantiData_[std::size_t(quale)] = new QPushButton(QStringLiteral(">"), data);
        pulsantiData_[std::size_t(quale)]->setObjectName(QStringLiteral("cmdData_%1").arg(quale));
        pulsantiData_[std::size_t(quale)]->setFixedWidth(24);
        riga->addWidget(pulsantiData_[std::size_t(quale)]);
        aggiungi(quale == 0 ? QStringLiteral("Dal") : QStringLiteral("al"), data);
        connect(pulsantiData_[std::size_t(quale)], &QPushButton::clicked, this, [this, quale] { apriCalendario(quale); });
    }
    aggiungi(QStringLiteral("MRN"), campi_[6]);

    pulsanteEstrai_ = new QPushButton(QStringLiteral("&ESTRAI"), pannelloFiltri_);
    pulsanteEstrai_->setObjectName(QStringLiteral("CmdR_2"));
    pulsanteInterroga_ = new QPushButton(QStringLiteral("&INTERROGA"), pannelloFiltri_);
    pulsanteInterroga_->setObjectName(QStringLiteral("CmdR_0"));
    pulsanteCsv_ = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QString(), pannelloFiltri_);
    pulsanteCsv_->setObjectName(QStringLiteral("CmdR_1"));
    pulsanteCsv_->setToolTip(QStringLiteral("EXCEL"));
    for (QPushButton* b : {pulsanteEstrai_, pulsanteInterroga_, pulsanteCsv_}) {
        b->setAutoDefault(false);
        aggiungi(QString(), b);
    }
    griglia->setColumnStretch(colonna, 1);

    connect(sceltaStato_, &QComboBox::activated, this, &FinestraArchivioMrn::statoScelto);
    connect(sceltaNazione_, &QComboBox::activated, this, &FinestraArchivioMrn::annoONazioneScelti);
    connect(sceltaAnno_, &QComboBox::activated, this, &FinestraArchivioMrn::annoONazioneScelti);
    connect(sceltaTipo_, &QComboBox::activated, this, [this] {
        if (!caricamento_)
            EstraiMrn();
    });
    connect(campi_[6], &QLineEdit::textChanged, this, &FinestraArchivioMrn::frammentoCambiato);
    connect(pulsanteEstrai_, &QPushButton::clicked, this, &FinestraArchivioMrn::EstraiMrn);
    connect(pulsanteInterroga_, &QPushButton::clicked, this, &FinestraArchivioMrn::interroga);
    connect(pulsanteCsv_, &QPushButton::clicked, this, &FinestraArchivioMrn::esportaCsv);
    return pannelloFiltri_;
}

void FinestraArchivioMrn::statoScelto() {
    if (caricamento_)
        return;
    EstraiMrn(); // INTERROGA follows the state and the rows (dopoEstrazione)
}

void FinestraArchivioMrn::annoONazioneScelti() {
    if (caricamento_)
        return;
    senzaEventi_ = true;
    campi_[6]->clear();
    senzaEventi_ = false;
    EstraiMrn();
}

void FinestraArchivioMrn::frammentoCambiato() {
    if (caricamento_ || senzaEventi_)
        return;
    sceltaAnno_->setCurrentIndex(0);
    sceltaNazione_->setCurrentIndex(0);
    if (immediata_)
        EstraiMrn();
}

void FinestraArchivioMrn::lasciaData(int campo) {
    QString parti[6];
    for (int i = 0; i < 6; ++i)
        parti[i] = campi_[std::size_t(i)]->text();
    if (const auto errore = ControllaData(campo, parti)) {
        campoInErrore_ = errore->campo;
        contesto_.messaggi.mostra(errore->messaggio, errore->titolo, Icona::Critica);
        campi_[std::size_t(errore->campoFocus - 1)]->setFocus();
        return;
    }
    if (campoInErrore_ == campo)
        campoInErrore_ = 0;
    if (campoInErrore_ == 0 && immediata_ && campi_[std::size_t(campo - 1)]->text() != testoEntrata_[std::size_t(campo - 1)])
        EstraiMrn();
}

void FinestraArchivioMrn::spostaFocus(int campo, int passo) {
    for (int n = 1; n <= 8; ++n) {
        const int prossimo = (campo - 1 + passo * n + 8 * 8) % 8;
        QLineEdit* c = campi_[std::size_t(prossimo)];
        if (c->isVisibleTo(this) && c->isEnabled() && c->window() == this) {
            c->setFocus(passo > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

bool FinestraArchivioMrn::tastoCampo(int campo, QKeyEvent* tasto) {
    const bool invio = tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter;
    if (tasto->key() == Qt::Key_Down || (invio && campo <= 7)) {
        spostaFocus(campo, 1);
        return true;
    }
    if (tasto->key() == Qt::Key_Up) {
        spostaFocus(campo, -1);
        return true;
    }
    return false;
}

void FinestraArchivioMrn::apriCalendario(int quale) {
    QLineEdit* giorno = campi_[std::size_t(quale * 3)];
    const auto parte = [&](int k) { return campi_[std::size_t(quale * 3 + k)]->text(); };
    const QDate letta = QDate(parte(2).toInt(), parte(1).toInt(), parte(0).toInt());
    const QDate inizio = letta.isValid() && parte(2).size() == 4 ? letta : QDate::currentDate();
    contesto_.shell.calendario.DataCalendario = inizio;
    const double tpp = twipsPerPixel();
    const QPoint dove = giorno->mapToGlobal(QPoint(0, giorno->height()));
    FinestraCalendario calendario(contesto_, int(dove.x() * tpp), int(dove.y() * tpp), this);
    calendario.exec();
    const QDate scelta = contesto_.shell.calendario.DataCalendario;
    if (!scelta.isValid() || scelta == inizio)
        return;
    campi_[std::size_t(quale * 3)]->setText(scelta.toString(QStringLiteral("dd")));
    campi_[std::size_t(quale * 3 + 1)]->setText(scelta.toString(QStringLiteral("MM")));
    campi_[std::size_t(quale * 3 + 2)]->setText(scelta.toString(QStringLiteral("yyyy")));
    if (immediata_)
        EstraiMrn();
}

} // namespace qv
