#include "database/colori.h"

#include "database/file_database.h"
#include "shell/file_ini.h"

#include <cmath>

namespace qv {

std::array<qint32, 4> CaricaColoriGriglia(const QString& fileIni) {
    std::array<qint32, 4> c{};
    for (int i = 0; i < 4; ++i) {
        const double n = ValoreNumerico(LeggiIni(fileIni, QStringLiteral("COLORIGRID"), QStringLiteral("COLORE%1").arg(i)));
        const double r = std::nearbyint(n);
        // A value no 32-bit colour can hold counts as no value.
        c[i] = r == 0 || r < -2147483648.0 || r > 2147483647.0 ? kColoriGrigliaPredefiniti[i] : static_cast<qint32>(r);
    }
    return c;
}

void ScriviColoreGriglia(const QString& fileIni, int indice, qint32 colore) {
    ScriviIni(fileIni, QStringLiteral("COLORIGRID"), QStringLiteral("COLORE%1").arg(indice), QString::number(colore));
}

void ApriColori(StatoDatabase& s, Messaggi& m) {
    AperturaTabella a{QStringLiteral("Colori"), QStringLiteral("Colori Personalizzati"), true, {}};
    a.testo = [](const dao::ErroreDao& e) {
        return QStringLiteral("ERRORE IN APERTURA TABELLA 'COLORI'") + QLatin1Char('\n') + QString::number(e.numero()) +
               QStringLiteral(": ") + e.descrizione();
    };
    s.ColoriAperta = ApriTabella(s, m, a, s.RsColori);
}

void ChiudiColori(StatoDatabase& s) { ChiudiTabella(s.RsColori, s.ColoriAperta); }

void LeggiColoriPersonalizzati(StatoDatabase& s) {
    s.ColoriPersonalizzati.fill(0);
    if (!s.ColoriAperta)
        return;
    try {
        dao::Recordset& rs = s.RsColori;
        rs.Seek(QStringLiteral("="), 0);
        if (rs.NoMatch())
            return;
        while (!rs.Eof()) {
            const int indice = rs.Value(QStringLiteral("ColInd")).toInt();
            if (indice >= 0 && indice < 64)
                s.ColoriPersonalizzati[indice] = static_cast<quint8>(rs.Value(QStringLiteral("ColRgb")).toInt() & 0xff);
            rs.MoveNext();
        }
    } catch (const dao::ErroreDao&) {
        // What could be read stays; the dialog opens anyway.
    }
}

void SalvaColoriPersonalizzati(StatoDatabase& s) {
    if (!s.ColoriAperta)
        return;
    try {
        for (int i = 0; i < 64; ++i)
            ScriviPerChiave(s.RsColori, QStringLiteral("ColInd"), i, [&](dao::Recordset& rs) {
                rs.setValue(QStringLiteral("ColRgb"), s.ColoriPersonalizzati[i]);
            });
    } catch (const dao::ErroreDao&) {
        // The custom colours are a convenience: a failed save loses them only.
    }
}

QString ScegliColore(StatoDatabase& s, Messaggi& m, const DialogoColore& dialogo) {
    s.ColoriPersonalizzati.fill(0);
    ApriColori(s, m);
    LeggiColoriPersonalizzati(s);
    QString scelto;
    if (const std::optional<quint32> c = dialogo ? dialogo(s.ColoriPersonalizzati) : std::nullopt) {
        scelto = QString::number(*c);
        SalvaColoriPersonalizzati(s);
    }
    ChiudiColori(s);
    return scelto;
}

} // namespace qv
