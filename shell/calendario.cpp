#include "shell/calendario.h"

#include <QLocale>

namespace qv {

namespace {
const QLocale& italiano() {
    static const QLocale l(QLocale::Italian, QLocale::Italy);
    return l;
}
} // namespace

int GiorniDelMese(int mese, int anno) {
    if (mese == 12) return 31;
    return QDate(anno, mese + 1, 1).addDays(-1).day();
}

int ColonnaPrimoGiorno(int mese, int anno) {
    // Counted as the platform does, Sunday = 1, then shifted so Monday is 0.
    const int domenicaUno = QDate(anno, mese, 1).dayOfWeek() % 7 + 1;
    const int colonna = domenicaUno - 2;
    return colonna == -1 ? 6 : colonna;
}

QStringList NomiMesi() {
    QStringList nomi;
    for (int m = 1; m <= 12; ++m) {
        QString nome = italiano().monthName(m, QLocale::LongFormat);
        if (!nome.isEmpty()) nome[0] = nome[0].toUpper();
        nomi << nome;
    }
    return nomi;
}

QString TitoloCalendario(const QDate& data) {
    return QStringLiteral("  ") + italiano().toString(data, QStringLiteral("dd MMMM yyyy (ddd)"));
}

MeseAnno MesePrecedente(MeseAnno m) {
    if (m.mese > 1) return {m.mese - 1, m.anno};
    if (m.anno > kPrimoAnnoCalendario) return {12, m.anno - 1};
    return m;
}

MeseAnno MeseSuccessivo(MeseAnno m) {
    if (m.mese < 12) return {m.mese + 1, m.anno};
    if (m.anno < kUltimoAnnoCalendario) return {1, m.anno + 1};
    return m;
}

QList<int> CelleDelMese(int mese, int anno) {
    QList<int> celle(kCelleCalendario, 0);
    const int inizio = ColonnaPrimoGiorno(mese, anno);
    const int giorni = GiorniDelMese(mese, anno);
    for (int g = 1; g <= giorni && inizio + g - 1 < kCelleCalendario; ++g)
        celle[inizio + g - 1] = g;
    return celle;
}

} // namespace qv
