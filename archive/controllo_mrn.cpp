#include "archive/controllo_mrn.h"

#include "enquiry/codici_web.h"

namespace qv {

namespace {

// The value of the leading digits of a text after its leading blanks, as
// the platform's Val reads it ("7A" is 7, "AB" is 0).
int valoreIniziale(const QString& testo) {
    int i = 0;
    while (i < testo.size() && testo.at(i) == QLatin1Char(' '))
        ++i;
    int n = 0;
    for (; i < testo.size() && testo.at(i) >= QLatin1Char('0') && testo.at(i) <= QLatin1Char('9'); ++i)
        n = n * 10 + (testo.at(i).unicode() - '0');
    return n;
}

} // namespace

bool MrnCorrettoValido(const QString& mrn) {
    if (mrn.size() < 18)
        return false;
    if (valoreIniziale(mrn.left(2)) < 7)
        return false;
    const QString nazione = mrn.mid(2, 2);
    if (QString::compare(nazione, QLatin1String("AA"), Qt::CaseSensitive) < 0 ||
        QString::compare(nazione, QLatin1String("ZZ"), Qt::CaseSensitive) > 0)
        return false;
    return tipoMrn(mrn) != TipoMrn::Nessuno;
}

} // namespace qv
