#pragma once
// Reading the schema from SQLite's catalogue and writing it back as DDL, so
// that type codes, text sizes, the six field properties, indexes and saved
// queries read back as they were written. Internal to the engine.
//
// How the program's schema sits in SQLite:
//   - a column is declared with its Jet DDL type ("TEXT(18)", "SHORT", ...);
//     text columns compare without regard to case (COLLATE NOCASE);
//   - Required is NOT NULL, DefaultValue is DEFAULT; text size, zero-length
//     text and number types are CHECK constraints named "<field>:<rule>",
//     so the engine gives back its own error when a row breaks them;
//   - an index is named "<table>.<index>" in SQLite (index names are per
//     table for the program, per database for SQLite, and neither table nor
//     index names may hold a dot);
//   - AllowZeroLength, ValidationRule/Text, Primary and the text of saved
//     queries live in the system table "MSysProprieta".

#include "database/dao/schema.h"

#include <QStringList>

#include <optional>

namespace qv::dao {

class Connessione;

namespace catalogo {

QStringList nomiTabelle(Connessione& c); // every table, system ones too, in name order
std::optional<TableDef> leggiTabella(Connessione& c, const QString& nome);
QList<TableDef> leggiTabelle(Connessione& c);
QList<QueryDef> leggiQuery(Connessione& c);
std::optional<QStringList> colonne(Connessione& c, const QString& tabella);

void creaTabella(Connessione& c, const TableDef& t);
void eliminaTabella(Connessione& c, const QString& nome);
void rinominaTabella(Connessione& c, const QString& nome, const QString& nuovoNome);
void aggiungiCampo(Connessione& c, const QString& tabella, const Field& f);
void eliminaCampo(Connessione& c, const QString& tabella, const QString& campo);
void creaIndice(Connessione& c, const QString& tabella, const Index& i);
void eliminaIndice(Connessione& c, const QString& tabella, const QString& indice);
void creaQuery(Connessione& c, const QString& nome, const QString& sqlJet, const QString& selezioneSqlite);
void eliminaQuery(Connessione& c, const QString& nome);

// The literal a DefaultValue is stored as, and back.
QString predefinitoSql(const QString& predefinitoJet);
QString predefinitoJet(const QVariant& predefinitoSql);
// A default as the value a new row starts with.
QVariant valorePredefinito(const QString& predefinitoJet);

} // namespace catalogo
} // namespace qv::dao
