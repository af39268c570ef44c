#include "database/schema_riferimento.h"

#include "database/nazioni.h"
#include "shell/elenco_nazioni.h"

#include <QSqlQuery>

namespace qv {

using namespace dao;

namespace {

// One field as the tables below list it.
struct Campo {
    const char* nome;
    int tipo;
    int dimensione = 0;
    const char* predefinito = "";
    bool richiesto = false;
};

struct Tabella {
    const char* nome;
    QList<Campo> campi;
    QList<std::pair<const char*, QStringList>> indici; // the first is "primaria", the primary key
};

// MRN and WkMRN: the archive and the batch's work table, one row per MRN
// with its last result. Codice and Nazione must stay first: renaming an MRN
// copies the fields from the third on by position. Dates the page did not
// give are the number 0, never null.
const QList<Campo> kCampiMrn = {
    {"Codice", dbText, 18, "", true},
    {"Nazione", dbText, 2},
    {"ExUffExport", dbText, 255},
    {"ExUffUscitaCod", dbText, 8},
    {"ExUffUscitaDes", dbText, 70},
    {"ExDataUscita", dbDate, 0, "0"},
    {"TrUfficio1", dbText, 255},
    {"TrUfficio2", dbText, 255},
    {"TrUfficio3", dbText, 255},
    {"TrUfficio4", dbText, 255},
    {"TrRuolo1", dbText, 100},
    {"TrRuolo2", dbText, 100},
    {"TrRuolo3", dbText, 100},
    {"TrRuolo4", dbText, 100},
    {"TrData1", dbDate, 0, "0"},
    {"TrData2", dbDate, 0, "0"},
    {"TrData3", dbDate, 0, "0"},
    {"TrData4", dbDate, 0, "0"},
    {"TrDataDel1", dbDate, 0, "0"},
    {"TrDataDel2", dbDate, 0, "0"},
    {"TrDataDel3", dbDate, 0, "0"},
    {"TrDataDel4", dbDate, 0, "0"},
    {"OK", dbInteger, 0, "0"},
    {"OKStato", dbInteger, 0, "0"},
    {"DataElab", dbDate, 0, "0"},
};

// Beside the key, the indexes the archive browser's filters and sorts use,
// each ending with the code for the browser's ORDER BY ..., Codice: state,
// nation, both together, the date of processing (its BETWEEN and its sort)
// and the exit date (the "DATA" sort). Sorts on the other columns sort the
// selection: an index for each would make the file four times larger and
// the merge of a batch ten times slower.
const QList<std::pair<const char*, QStringList>> kIndiciMrn = {
    {"primaria", {"Codice"}},
    {"stato", {"OKStato", "Codice"}},
    {"nazione", {"Nazione", "Codice"}},
    {"statonazione", {"OKStato", "Nazione", "Codice"}},
    {"elaborazione", {"DataElab", "Codice"}},
    {"uscita", {"ExDataUscita", "Codice"}},
};

// LayOutCol: saved column widths of the archive browser, by position:
// field 0 the window's name, field i + 1 the width of grid column i.
QList<Campo> campiLayOut() {
    static QList<QByteArray> nomi;
    QList<Campo> c = {{"Finestra", dbText, 50, "", true}};
    if (nomi.isEmpty())
        for (int i = 0; i < 30; ++i)
            nomi << QByteArray("Larghezza") + QByteArray::number(i);
    for (const QByteArray& n : nomi)
        c.append({n.constData(), dbLong, 0, "0"});
    return c;
}

QList<Tabella> tabelle() {
    return {
        {"Colori", {{"ColInd", dbInteger, 0, "", true}, {"ColRgb", dbByte, 0, "0"}}, {{"primaria", {"ColInd"}}}},
        {"LayOutCol", campiLayOut(), {{"primaria", {"Finestra"}}}},
        {"MRN", kCampiMrn, kIndiciMrn},
        {"Nazioni",
         {{"Codice", dbText, 2, "", true}, {"Descrizione", dbText, 50}, {"Bandiera", dbText, 100}},
         {{"primaria", {"Codice"}}}},
        {"WkMRN", kCampiMrn, kIndiciMrn},
    };
}

} // namespace

QList<TableDef> SchemaRiferimento() {
    QList<TableDef> r;
    for (const Tabella& t : tabelle()) {
        TableDef d;
        d.Name = QLatin1String(t.nome);
        for (const Campo& c : t.campi) {
            Field f = TableDef::CreateField(QLatin1String(c.nome), c.tipo, c.dimensione);
            f.DefaultValue = QLatin1String(c.predefinito);
            f.Required = c.richiesto;
            f.AllowZeroLength = c.tipo == dbText && !c.richiesto; // the program writes "" into its texts
            f.OrdinalPosition = int(d.Fields.size());
            d.Fields.append(f);
        }
        for (const auto& [nome, campi] : t.indici) {
            const bool primaria = QLatin1String(nome) == QLatin1String("primaria");
            Index i{QLatin1String(nome), primaria, primaria, {}};
            for (const QString& c : campi)
                i.CreateField(c);
            d.Indexes.append(i);
        }
        r.append(d);
    }
    return r;
}

void CreaDatabaseRiferimento(Workspace& ws, const QString& percorso) {
    Database db = ws.CreateDatabase(percorso);
    for (const TableDef& t : SchemaRiferimento())
        db.AppendTableDef(t);
    db.BeginTrans();
    Recordset rs = db.OpenRecordset(QStringLiteral("Nazioni"));
    for (const NazionePredefinita& n : NazioniPredefinite()) {
        rs.AddNew();
        rs.setValue(QStringLiteral("Codice"), QLatin1String(n.codice));
        rs.setValue(QStringLiteral("Descrizione"), QLatin1String(n.nome));
        rs.setValue(QStringLiteral("Bandiera"), BandieraDi(QLatin1String(n.codice)));
        rs.Update();
    }
    rs.Close();
    db.CommitTrans();
    // Statistics from the start: a working database begins as a copy of this file.
    QSqlQuery(db.connessioneSql()).exec(QStringLiteral("ANALYZE"));
    db.Close();
}

} // namespace qv
