#include "enquiry/marcatori_web.h"

#include "shell/file_ini.h"

namespace qv {

const QList<MarcatorePredefinito>& MarcatoriPredefiniti() {
    static const QList<MarcatorePredefinito> marcatori = {
        {"EX_ERRINI", R"(class="err">)"},
        {"EX_ERRFIN", "</div"},
        {"EX_DAT1INI", R"(class="outexport1">)"},
        {"EX_DAT1FIN", "&nbsp"},
        {"EX_DAT2INI", R"(class="outexport2">)"},
        {"EX_DAT2FIN", "<"},
        {"TR_ERRINI", R"(class="err">)"},
        {"TR_ERRFIN", "</div"},
        {"TR_DAT1INI", R"(dati1">)"},
        {"TR_DAT1FIN", "<"},
        {"TR_DAT2INI", R"(dati2">)"},
        {"TR_DAT2FIN", "<"},
    };
    return marcatori;
}

MarcatoriWeb LeggiMarcatori(const QString& fileIni) {
    QStringList v;
    for (const MarcatorePredefinito& m : MarcatoriPredefiniti()) {
        const QString letto = LeggiIni(fileIni, QStringLiteral("PARAMWEB"), QLatin1String(m.chiave));
        v << (letto.trimmed().isEmpty() ? QString::fromLatin1(m.predefinito) : letto);
    }
    return MarcatoriWeb{v[0], v[1], v[2], v[3], v[4],  v[5],
                        v[6], v[7], v[8], v[9], v[10], v[11]};
}

} // namespace qv
