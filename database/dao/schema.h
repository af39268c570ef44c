#pragma once
// Schema objects as the program reads and writes them: table definitions
// with their fields and indexes, and saved queries. They are plain values;
// reading them from a database and applying them to one goes through
// Database (TableDefs, AppendTableDef, AppendField, ...).

#include "database/dao/tipi.h"

#include <QList>
#include <QString>

namespace qv::dao {

// Attribute bits of a table definition.
inline constexpr quint32 dbSystemObject = 0x80000002u; // the engine's own tables
inline constexpr quint32 dbAttachedTable = 0x40000000u; // a table linked from another file

// Names of tables, fields, indexes and queries compare trimmed and without
// regard to case.
bool stessoNome(const QString& a, const QString& b);

struct Field {
    QString Name;
    int Type = dbText;
    int Size = 0; // text and binary: 1..255 (0 means 255); other types: their fixed size
    bool AllowZeroLength = false;
    QString DefaultValue; // as the engine writes it: 0, -1, "text" (double quotes)
    int OrdinalPosition = 0;
    bool Required = false;
    QString ValidationRule; // kept and read back; the engine does not enforce it
    QString ValidationText;
};

struct IndexField {
    QString Name;
    bool Descending = false;
};

struct Index {
    QString Name;
    bool Primary = false;
    bool Unique = false;
    QList<IndexField> Fields;

    // One more field of the index (by name), as CreateField on an index.
    Index& CreateField(const QString& nome, bool decrescente = false) {
        Fields.append({nome, decrescente});
        return *this;
    }
};

struct TableDef {
    QString Name;
    quint32 Attributes = 0;
    QList<Field> Fields;
    QList<Index> Indexes;

    bool isSystem() const { return (Attributes & dbSystemObject) != 0; }
    bool isAttached() const { return (Attributes & dbAttachedTable) != 0; }
    const Field* campo(const QString& nome) const;
    const Index* indice(const QString& nome) const;
    // A new field of this table definition (not yet appended anywhere).
    static Field CreateField(const QString& nome, int tipo, int dimensione = 0);
};

struct QueryDef {
    QString Name;
    QString SQL; // the text the query was created with
};

} // namespace qv::dao
