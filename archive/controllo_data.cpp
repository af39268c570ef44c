#include "archive/controllo_data.h"

#include "platform/day_number.h"

#include <QDate>

namespace qv {

namespace {

// Digits only, at most four; a blank field is 0.
std::optional<int> numeroCampo(const QString& testo) {
    const QString s = testo.trimmed();
    if (s.isEmpty())
        return 0;
    if (s.size() > 4)
        return std::nullopt;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return s.toInt();
}

} // namespace

std::optional<double> GiornoDaParti(const QString& giorno, const QString& mese, const QString& anno) {
    if (giorno.trimmed().isEmpty() || mese.trimmed().isEmpty() || anno.trimmed().isEmpty())
        return std::nullopt;
    const auto g = numeroCampo(giorno), m = numeroCampo(mese), a = numeroCampo(anno);
    if (!g || !m || !a)
        return std::nullopt;
    int anni = *a;
    if (anno.trimmed().size() <= 2)
        anni += anni < 30 ? 2000 : 1900;
    if (anni < 100)
        return std::nullopt;
    const QDate d(anni, *m, *g);
    if (!d.isValid())
        return std::nullopt;
    return platform::dayNumber(d);
}

std::optional<ErroreData> ControllaData(int campo, const QString (&parti)[6], const QString& nomeProgramma) {
    if (campo < 1 || campo > 6)
        return std::nullopt;
    const bool iniziale = campo <= 3;
    const QString& testo = parti[campo - 1];
    QString messaggio;
    switch ((campo - 1) % 3) {
    case 0: {
        const auto g = numeroCampo(testo);
        if (!g || *g > 31)
            messaggio = iniziale ? QStringLiteral("GIORNO INIZIALE ERRATO") : QStringLiteral("GIORNO FINALE ERRATO");
        break;
    }
    case 1: {
        const auto m = numeroCampo(testo);
        if (!m || *m > 12)
            messaggio = iniziale ? QStringLiteral("MESE INIZIALE ERRATO") : QStringLiteral("MESE FINALE ERRATO");
        break;
    }
    default: {
        const int primo = iniziale ? 0 : 3;
        const bool vuoti = parti[primo].trimmed().isEmpty() && parti[primo + 1].trimmed().isEmpty() &&
                           parti[primo + 2].trimmed().isEmpty();
        if (!vuoti && !GiornoDaParti(parti[primo], parti[primo + 1], parti[primo + 2]))
            messaggio = iniziale ? QStringLiteral("DATA INIZIALE ERRATA") : QStringLiteral("DATA FINALE ERRATA");
        break;
    }
    }
    if (messaggio.isEmpty())
        return std::nullopt;
    ErroreData e;
    e.messaggio = messaggio;
    e.titolo = nomeProgramma.toUpper() + QStringLiteral(" -ERRORE N. ") + QString::number(campo);
    e.campo = campo;
    e.campoFocus = (campo == 3 || campo == 6) ? campo - 2 : campo;
    return e;
}

} // namespace qv
