#pragma once
// The month grid of the date picker: Monday in the first column, 37 cells.

#include <QDate>
#include <QString>
#include <QStringList>

namespace qv {

inline constexpr int kCelleCalendario = 37;
inline constexpr int kPrimoAnnoCalendario = 1900;
inline constexpr int kUltimoAnnoCalendario = 2099;

// The date the picker opens on and gives back (a null date means "none").
struct StatoCalendario {
    QDate DataCalendario;
};

int GiorniDelMese(int mese, int anno);
// Column of day 1: 0 Monday .. 6 Sunday.
int ColonnaPrimoGiorno(int mese, int anno);
// The twelve month names, first letter upper-cased ("Gennaio" ..).
QStringList NomiMesi();
// The caption of the picker for a selected date: "  dd mmmm yyyy (ddd)".
QString TitoloCalendario(const QDate& data);

struct MeseAnno {
    int mese;
    int anno;
};
// One month back or forward; the year stops at the picker's bounds.
MeseAnno MesePrecedente(MeseAnno m);
MeseAnno MeseSuccessivo(MeseAnno m);

// The day numbers of the 37 cells of a month, 0 for an empty cell.
QList<int> CelleDelMese(int mese, int anno);

} // namespace qv
