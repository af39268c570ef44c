#include "shell/messaggi.h"

#include <QTextStream>

namespace qv {

QList<Risposta> risposteDi(Pulsanti pulsanti) {
    switch (pulsanti) {
    case Pulsanti::Ok:
        return {Risposta::Ok};
    case Pulsanti::OkAnnulla:
        return {Risposta::Ok, Risposta::Annulla};
    case Pulsanti::InterrompiRiprovaIgnora:
        return {Risposta::Interrompi, Risposta::Riprova, Risposta::Ignora};
    case Pulsanti::SiNoAnnulla:
        return {Risposta::Si, Risposta::No, Risposta::Annulla};
    case Pulsanti::SiNo:
        return {Risposta::Si, Risposta::No};
    case Pulsanti::RiprovaAnnulla:
        return {Risposta::Riprova, Risposta::Annulla};
    }
    return {Risposta::Ok};
}

Risposta rispostaPredefinita(const Messaggio& m) {
    const QList<Risposta> r = risposteDi(m.pulsanti);
    return r.value(m.predefinito, r.first());
}

Risposta MessaggiStderr::mostra(const Messaggio& m) {
    QTextStream err(stderr);
    err << "[" << m.titolo << "] " << QString(m.testo).replace(QLatin1Char('\r'), QString()) << Qt::endl;
    if (forzata_ && risposteDi(m.pulsanti).contains(*forzata_))
        return *forzata_;
    return rispostaPredefinita(m);
}

Risposta MessaggiRegistrati::mostra(const Messaggio& m) {
    mostrati_.append(m);
    if (!risposte_.isEmpty())
        return risposte_.takeFirst();
    return rispostaPredefinita(m);
}

} // namespace qv
