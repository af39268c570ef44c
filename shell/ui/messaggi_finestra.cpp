#include "shell/ui/messaggi_finestra.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qv {

namespace {

QMessageBox::Icon icona(Icona i) {
    switch (i) {
    case Icona::Critica:
        return QMessageBox::Critical;
    case Icona::Domanda:
        return QMessageBox::Question;
    case Icona::Esclamazione:
        return QMessageBox::Warning;
    case Icona::Informazione:
        return QMessageBox::Information;
    case Icona::Nessuna:
        break;
    }
    return QMessageBox::NoIcon;
}

struct Pulsante {
    QString testo;
    QMessageBox::ButtonRole ruolo;
};

Pulsante pulsante(Risposta r) {
    switch (r) {
    case Risposta::Ok:
        return {QStringLiteral("OK"), QMessageBox::AcceptRole};
    case Risposta::Annulla:
        return {QStringLiteral("Annulla"), QMessageBox::RejectRole};
    case Risposta::Interrompi:
        return {QStringLiteral("&Interrompi"), QMessageBox::RejectRole};
    case Risposta::Riprova:
        return {QStringLiteral("&Riprova"), QMessageBox::AcceptRole};
    case Risposta::Ignora:
        return {QStringLiteral("&Ignora"), QMessageBox::AcceptRole};
    case Risposta::Si:
        return {QStringLiteral("&Sì"), QMessageBox::YesRole};
    case Risposta::No:
        return {QStringLiteral("&No"), QMessageBox::NoRole};
    }
    return {QStringLiteral("OK"), QMessageBox::AcceptRole};
}

} // namespace

Risposta MessaggiFinestra::mostra(const Messaggio& m) {
    // Line breaks are written as CR, LF or both; the box wants LF.
    QString testo = m.testo;
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icona(m.icona), m.titolo, testo, QMessageBox::NoButton, QApplication::activeWindow());
    const QList<Risposta> risposte = risposteDi(m.pulsanti);
    QList<QPushButton*> pulsanti;
    for (Risposta r : risposte) {
        const Pulsante p = pulsante(r);
        pulsanti << box.addButton(p.testo, p.ruolo);
    }
    box.setDefaultButton(pulsanti.value(m.predefinito, pulsanti.first()));
    // Escape answers as the box's cancelling button, when it has one.
    const int annulla = risposte.indexOf(Risposta::Annulla);
    const int no = risposte.indexOf(Risposta::No);
    if (annulla >= 0)
        box.setEscapeButton(pulsanti[annulla]);
    else if (risposte.size() == 1)
        box.setEscapeButton(pulsanti.first());
    else if (no >= 0 && risposte.size() == 2)
        box.setEscapeButton(pulsanti[no]);
    box.exec();
    const int scelto = pulsanti.indexOf(static_cast<QPushButton*>(box.clickedButton()));
    return scelto >= 0 ? risposte[scelto] : rispostaPredefinita(m);
}

} // namespace qv
