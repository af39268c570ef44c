#include "archive/layout_colonne.h"

#include "database/dao/database.h"
#include "database/dao/errore.h"
#include "database/stato_database.h"

namespace qv {

namespace {

const QString kTabella = QStringLiteral("LayOutCol");

dao::Recordset apri(StatoDatabase& s) {
    dao::Recordset rs = s.DbLavoro.OpenRecordset(kTabella, dao::dbOpenTable);
    rs.setIndex(QStringLiteral("primaria"));
    return rs;
}

} // namespace

QList<int> LeggiLayOut(StatoDatabase& s, const QString& chiave, int colonne) {
    if (!s.DatabaseAperto)
        return {};
    try {
        dao::Recordset rs = apri(s);
        rs.Seek(QStringLiteral("="), chiave);
        if (rs.NoMatch())
            return {};
        QList<int> larghezze;
        for (int i = 0; i < colonne; ++i) {
            int l = 0;
            if (i + 1 < rs.FieldCount()) {
                bool ok = false;
                const double v = rs.Value(i + 1).toDouble(&ok);
                l = ok && v > 0 && v < 1e6 ? static_cast<int>(v) : 0;
            }
            larghezze << l;
        }
        return larghezze;
    } catch (const dao::ErroreDao&) {
        return {};
    }
}

bool SalvaLayOut(StatoDatabase& s, const QString& chiave, const QList<int>& larghezze) {
    if (!s.DatabaseAperto)
        return false;
    try {
        dao::Recordset rs = apri(s);
        rs.Seek(QStringLiteral("="), chiave);
        if (rs.NoMatch())
            rs.AddNew();
        else
            rs.Edit();
        rs.setValue(0, chiave);
        for (int i = 0; i < larghezze.size() && i + 1 < rs.FieldCount(); ++i)
            rs.setValue(i + 1, larghezze.at(i));
        rs.Update();
        return true;
    } catch (const dao::ErroreDao&) {
        return false;
    }
}

} // namespace qv
