#include "database/dao/schema.h"

namespace qv::dao {

bool stessoNome(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

const Field* TableDef::campo(const QString& nome) const {
    for (const Field& f : Fields)
        if (stessoNome(f.Name, nome))
            return &f;
    return nullptr;
}

const Index* TableDef::indice(const QString& nome) const {
    for (const Index& i : Indexes)
        if (stessoNome(i.Name, nome))
            return &i;
    return nullptr;
}

Field TableDef::CreateField(const QString& nome, int tipo, int dimensione) {
    Field f;
    f.Name = nome;
    f.Type = tipo;
    f.Size = dimensione != 0 ? dimensione : (tipo == dbText || tipo == dbBinary ? 255 : dimensioneFissa(tipo));
    return f;
}

} // namespace qv::dao
