#include "database/dao/catalogo.h"

#include "database/dao/connessione.h"
#include "database/dao/errore.h"

#include <QRegularExpression>
#include <QSqlQuery>

#include <algorithm>

namespace qv::dao::catalogo {

namespace {

QString chiaveCampo(const QString& campo) { return QStringLiteral("C:") + campo; }
QString chiaveIndice(const QString& indice) { return QStringLiteral("I:") + indice; }

bool nomeDiSistema(const QString& nome) {
    return nome.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive) ||
           nome.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

// Names the engine accepts: 1 to 64 characters, no leading blank, none of
// . ! ` [ ] and no control characters.
void validaNome(const QString& nome) {
    static const QRegularExpression vietati(QStringLiteral(R"([.!`\[\]\x00-\x1f])"));
    if (nome.isEmpty() || nome.size() > 64 || nome.startsWith(QLatin1Char(' ')) || nome.contains(vietati))
        solleva(errori::NomeNonValido, nome);
}

// A table or view of that name, in its stored spelling.
QString nomeOggetto(Connessione& c, const QString& nome, const char* tipo) {
    QSqlQuery q = c.interroga(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = ? AND name = ? COLLATE NOCASE"),
        {QString::fromLatin1(tipo), nome});
    return q.next() ? q.value(0).toString() : QString();
}

QString nomeTabella(Connessione& c, const QString& nome) {
    const QString n = nomeOggetto(c, nome, "table");
    if (n.isEmpty())
        solleva(errori::ElementoNonTrovato, nome);
    return n;
}

bool nomeOccupato(Connessione& c, const QString& nome) {
    QSqlQuery q = c.interroga(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND "
                                             "name = ? COLLATE NOCASE"),
                              {nome});
    return q.next();
}

bool valore1(const QHash<QString, QString>& p, const QString& elemento, const char* nome) {
    return p.value((elemento + QLatin1Char('|') + QLatin1String(nome)).toLower()) == QLatin1String("1");
}

QString definizioneColonna(const Field& f) {
    validaNome(f.Name);
    const QString n = quota(f.Name);
    QString d = n + QLatin1Char(' ') + dichiarazioneTipo(f.Type, f.Size);
    if (tipoTesto(f.Type))
        d += QStringLiteral(" COLLATE NOCASE");
    if (f.Required)
        d += QStringLiteral(" NOT NULL");
    const QString predefinito = predefinitoSql(f.DefaultValue);
    if (!predefinito.isEmpty())
        d += QStringLiteral(" DEFAULT ") + predefinito;
    auto vincolo = [&](const char* regola, const QString& condizione) {
        d += QStringLiteral(" CONSTRAINT ") + quota(f.Name + QLatin1Char(':') + QLatin1String(regola)) +
             QStringLiteral(" CHECK (") + condizione + QLatin1Char(')');
    };
    if (f.Type == dbText)
        vincolo("lunghezza", QStringLiteral("length(%1) <= %2").arg(n).arg(f.Size == 0 ? 255 : f.Size));
    if (tipoTesto(f.Type) && !f.AllowZeroLength)
        vincolo("vuoto", n + QStringLiteral(" <> ''"));
    if (tipoNumerico(f.Type)) {
        QString c = QStringLiteral("typeof(%1) IN ('integer', 'real', 'null')").arg(n);
        if (f.Type == dbByte)
            c += QStringLiteral(" AND %1 BETWEEN 0 AND 255").arg(n);
        else if (f.Type == dbInteger)
            c += QStringLiteral(" AND %1 BETWEEN -32768 AND 32767").arg(n);
        else if (f.Type == dbLong)
            c += QStringLiteral(" AND %1 BETWEEN -2147483648 AND 2147483647").arg(n);
        vincolo("tipo", c);
    }
    return d;
}

void scriviProprietaCampo(Connessione& c, const QString& tabella, const Field& f) {
    c.impostaProprieta(tabella, chiaveCampo(f.Name), QStringLiteral("AllowZeroLength"),
                       f.AllowZeroLength && tipoTesto(f.Type) ? QStringLiteral("1") : QString());
    c.impostaProprieta(tabella, chiaveCampo(f.Name), QStringLiteral("ValidationRule"), f.ValidationRule);
    c.impostaProprieta(tabella, chiaveCampo(f.Name), QStringLiteral("ValidationText"), f.ValidationText);
}

} // namespace

QString predefinitoSql(const QString& predefinitoJet) {
    QString t = predefinitoJet.trimmed();
    if (t.startsWith(QLatin1Char('=')))
        t = t.mid(1).trimmed();
    if (t.isEmpty())
        return {};
    static const QRegularExpression numero(QStringLiteral(R"(^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$)"));
    if (numero.match(t).hasMatch())
        return t;
    const QString su = t.toUpper();
    if (su == QLatin1String("TRUE") || su == QLatin1String("YES") || su == QLatin1String("ON"))
        return QStringLiteral("-1");
    if (su == QLatin1String("FALSE") || su == QLatin1String("NO") || su == QLatin1String("OFF"))
        return QStringLiteral("0");
    for (const QChar q : {QLatin1Char('"'), QLatin1Char('\'')}) {
        if (t.size() >= 2 && t.startsWith(q) && t.endsWith(q))
            return letterale(t.mid(1, t.size() - 2).replace(QString(2, q), QString(q)));
    }
    solleva(errori::ArgomentoNonValido, QStringLiteral("DefaultValue ") + predefinitoJet);
}

QString predefinitoJet(const QVariant& predefinitoSql) {
    if (predefinitoSql.isNull())
        return {};
    const QString s = predefinitoSql.toString();
    if (s.size() >= 2 && s.startsWith(QLatin1Char('\'')) && s.endsWith(QLatin1Char('\''))) {
        QString dentro = s.mid(1, s.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        return QLatin1Char('"') + dentro.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
    }
    return s;
}

QVariant valorePredefinito(const QString& predefinitoJet) {
    const QString sql = predefinitoSql(predefinitoJet);
    if (sql.isEmpty())
        return {};
    if (sql.startsWith(QLatin1Char('\'')))
        return QVariant(sql.mid(1, sql.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'")));
    bool intero = false;
    const qlonglong n = sql.toLongLong(&intero);
    if (intero)
        return QVariant(n);
    return QVariant(sql.toDouble());
}

QStringList nomiTabelle(Connessione& c) {
    QSqlQuery q = c.interroga(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name COLLATE NOCASE"));
    QStringList r;
    while (q.next())
        r << q.value(0).toString();
    return r;
}

std::optional<TableDef> leggiTabella(Connessione& c, const QString& nome) {
    TableDef t;
    t.Name = nomeOggetto(c, nome, "table");
    if (t.Name.isEmpty())
        return std::nullopt;
    if (nomeDiSistema(t.Name))
        t.Attributes = dbSystemObject;
    const QHash<QString, QString> p = c.proprietaDi(t.Name);

    QSqlQuery q = c.interroga(QStringLiteral("SELECT cid, name, type, \"notnull\", dflt_value FROM "
                                             "pragma_table_info(?) ORDER BY cid"),
                              {t.Name});
    while (q.next()) {
        Field f;
        f.OrdinalPosition = q.value(0).toInt();
        f.Name = q.value(1).toString();
        const TipoDichiarato d = tipoDaDichiarazione(q.value(2).toString());
        f.Type = d.tipo;
        f.Size = d.dimensione;
        f.Required = q.value(3).toInt() != 0;
        f.DefaultValue = predefinitoJet(q.value(4));
        f.AllowZeroLength = valore1(p, chiaveCampo(f.Name), "AllowZeroLength");
        f.ValidationRule = p.value((chiaveCampo(f.Name) + QStringLiteral("|validationrule")).toLower());
        f.ValidationText = p.value((chiaveCampo(f.Name) + QStringLiteral("|validationtext")).toLower());
        t.Fields.append(f);
    }

    QSqlQuery qi = c.interroga(QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list(?)"), {t.Name});
    QList<std::tuple<QString, bool, QString>> elenco;
    while (qi.next())
        elenco.append({qi.value(0).toString(), qi.value(1).toInt() != 0, qi.value(2).toString()});
    for (const auto& [nomeSqlite, unico, origine] : elenco) {
        Index i;
        if (origine == QLatin1String("pk"))
            i.Name = QStringLiteral("PrimaryKey");
        else if (origine == QLatin1String("c") && nomeSqlite.contains(QLatin1Char('.')))
            i.Name = nomeSqlite.mid(nomeSqlite.indexOf(QLatin1Char('.')) + 1);
        else
            i.Name = nomeSqlite;
        i.Unique = unico;
        i.Primary = origine == QLatin1String("pk") || valore1(p, chiaveIndice(i.Name), "Primary");
        QSqlQuery qc = c.interroga(
            QStringLiteral("SELECT name, \"desc\" FROM pragma_index_xinfo(?) WHERE key = 1 ORDER BY seqno"),
            {nomeSqlite});
        bool espressione = false;
        while (qc.next()) {
            espressione = espressione || qc.value(0).isNull();
            i.Fields.append({qc.value(0).toString(), qc.value(1).toInt() != 0});
        }
        if (!espressione)
            t.Indexes.append(i);
    }
    std::sort(t.Indexes.begin(), t.Indexes.end(),
              [](const Index& a, const Index& b) { return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0; });
    return t;
}

QList<TableDef> leggiTabelle(Connessione& c) {
    QList<TableDef> r;
    for (const QString& nome : nomiTabelle(c))
        if (auto t = leggiTabella(c, nome))
            r.append(*t);
    return r;
}

std::optional<QStringList> colonne(Connessione& c, const QString& tabella) {
    QSqlQuery q = c.interroga(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {tabella});
    QStringList r;
    while (q.next())
        r << q.value(0).toString();
    if (r.isEmpty())
        return std::nullopt;
    return r;
}

QList<QueryDef> leggiQuery(Connessione& c) {
    QSqlQuery q = c.interroga(
        QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'view' ORDER BY name COLLATE NOCASE"));
    QList<std::pair<QString, QString>> viste;
    while (q.next())
        viste.append({q.value(0).toString(), q.value(1).toString()});
    QList<QueryDef> r;
    for (const auto& [nome, crea] : viste) {
        QString testo = c.proprieta(nome, QString(), QStringLiteral("SQL"));
        if (testo.isEmpty()) {
            static const QRegularExpression as(QStringLiteral(R"(\sAS\s)"), QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch m = as.match(crea);
            testo = m.hasMatch() ? crea.mid(m.capturedEnd()).trimmed() : crea;
        }
        r.append({nome, testo});
    }
    return r;
}

void creaTabella(Connessione& c, const TableDef& t) {
    validaNome(t.Name);
    if (t.Fields.isEmpty())
        solleva(errori::NessunCampo, t.Name);
    for (qsizetype i = 0; i < t.Fields.size(); ++i)
        for (qsizetype j = 0; j < i; ++j)
            if (stessoNome(t.Fields[i].Name, t.Fields[j].Name))
                solleva(errori::CampoDuplicato, t.Fields[i].Name);
    if (nomeOccupato(c, t.Name))
        solleva(errori::TabellaEsistente, t.Name);
    QList<Field> campi = t.Fields;
    std::stable_sort(campi.begin(), campi.end(),
                     [](const Field& a, const Field& b) { return a.OrdinalPosition < b.OrdinalPosition; });
    QStringList definizioni;
    for (const Field& f : campi)
        definizioni << definizioneColonna(f);
    c.atomico([&] {
        c.esegui(QStringLiteral("CREATE TABLE %1 (%2)").arg(quota(t.Name), definizioni.join(QStringLiteral(", "))),
                 {}, t.Name);
        c.eliminaProprieta(t.Name); // left over by an older table of the same name
        for (const Field& f : campi)
            scriviProprietaCampo(c, t.Name, f);
        for (const Index& i : t.Indexes)
            creaIndice(c, t.Name, i);
    });
}

void eliminaTabella(Connessione& c, const QString& nome) {
    const QString n = nomeTabella(c, nome);
    c.atomico([&] {
        c.esegui(QStringLiteral("DROP TABLE ") + quota(n), {}, n);
        c.eliminaProprieta(n);
    });
}

void rinominaTabella(Connessione& c, const QString& nome, const QString& nuovoNome) {
    validaNome(nuovoNome);
    const QString n = nomeTabella(c, nome);
    if (n == nuovoNome)
        return;
    const bool soloMaiuscole = stessoNome(n, nuovoNome);
    if (!soloMaiuscole && nomeOccupato(c, nuovoNome))
        solleva(errori::OggettoEsistente, nuovoNome);
    c.atomico([&] {
        QString da = n;
        if (soloMaiuscole) { // SQLite takes a change of case only through another name
            da = QStringLiteral("qv_rinomina_") + n;
            c.esegui(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quota(n), quota(da)), {}, n);
        }
        c.esegui(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quota(da), quota(nuovoNome)), {}, n);
        c.rinominaOggettoProprieta(n, nuovoNome);
    });
}

void aggiungiCampo(Connessione& c, const QString& tabella, const Field& f) {
    const auto t = leggiTabella(c, tabella);
    if (!t)
        solleva(errori::ElementoNonTrovato, tabella);
    if (t->campo(f.Name))
        solleva(errori::CampoDuplicato, f.Name);
    const QString definizione = definizioneColonna(f);
    c.atomico([&] {
        c.esegui(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quota(t->Name), definizione), {}, t->Name);
        scriviProprietaCampo(c, t->Name, f);
    });
}

void eliminaCampo(Connessione& c, const QString& tabella, const QString& campo) {
    const auto t = leggiTabella(c, tabella);
    if (!t)
        solleva(errori::ElementoNonTrovato, tabella);
    const Field* f = t->campo(campo);
    if (!f)
        solleva(errori::ElementoNonTrovato, campo);
    for (const Index& i : t->Indexes)
        for (const IndexField& x : i.Fields)
            if (stessoNome(x.Name, campo))
                solleva(errori::CampoInIndice, campo);
    if (t->Fields.size() == 1)
        solleva(errori::CampoInIndice, campo);

    // SQLite drops a column only while every saved query still reads; the
    // engine's saved queries may name tables long gone. So the table is
    // rebuilt without the field, its rows and indexes kept.
    QStringList definizioni, nomi;
    for (const Field& x : t->Fields) {
        if (&x == f)
            continue;
        definizioni << definizioneColonna(x);
        nomi << quota(x.Name);
    }
    QStringList indici;
    {
        QSqlQuery q = c.interroga(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND "
                                                 "tbl_name = ? COLLATE NOCASE AND sql IS NOT NULL"),
                                  {t->Name});
        while (q.next())
            indici << q.value(0).toString();
    }
    QString temporanea = QStringLiteral("qv_ricostruzione");
    for (int k = 1; nomeOccupato(c, temporanea); ++k)
        temporanea = QStringLiteral("qv_ricostruzione_%1").arg(k);
    const QString elenco = nomi.join(QStringLiteral(", "));
    c.atomico([&] {
        c.esegui(QStringLiteral("CREATE TABLE %1 (%2)").arg(quota(temporanea), definizioni.join(QStringLiteral(", "))),
                 {}, t->Name);
        c.esegui(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(quota(temporanea), elenco, quota(t->Name)),
                 {}, t->Name);
        c.esegui(QStringLiteral("DROP TABLE ") + quota(t->Name), {}, t->Name);
        c.esegui(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quota(temporanea), quota(t->Name)), {}, t->Name);
        for (const QString& s : indici)
            c.esegui(s, {}, t->Name);
        c.eliminaProprieta(t->Name, chiaveCampo(f->Name));
    });
}

void creaIndice(Connessione& c, const QString& tabella, const Index& i) {
    const auto t = leggiTabella(c, tabella);
    if (!t)
        solleva(errori::ElementoNonTrovato, tabella);
    validaNome(i.Name);
    if (t->indice(i.Name))
        solleva(errori::IndiceEsistente, i.Name);
    if (i.Fields.isEmpty())
        solleva(errori::NessunCampo, i.Name);
    if (i.Primary)
        for (const Index& x : t->Indexes)
            if (x.Primary)
                solleva(errori::ChiavePrimariaEsistente, i.Name);
    QStringList campi;
    for (const IndexField& x : i.Fields) {
        const Field* f = t->campo(x.Name);
        if (!f)
            solleva(errori::ElementoNonTrovato, x.Name);
        campi << quota(f->Name) + (x.Descending ? QStringLiteral(" DESC") : QString());
    }
    QString prefisso = t->Name;
    for (int k = 1; !nomeOggetto(c, prefisso + QLatin1Char('.') + i.Name, "index").isEmpty(); ++k)
        prefisso = t->Name + QLatin1Char('#') + QString::number(k);
    c.atomico([&] {
        c.esegui(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                     .arg(i.Unique || i.Primary ? QStringLiteral("UNIQUE ") : QString(),
                          quota(prefisso + QLatin1Char('.') + i.Name), quota(t->Name),
                          campi.join(QStringLiteral(", "))),
                 {}, t->Name);
        c.impostaProprieta(t->Name, chiaveIndice(i.Name), QStringLiteral("Primary"),
                           i.Primary ? QStringLiteral("1") : QString());
    });
}

void eliminaIndice(Connessione& c, const QString& tabella, const QString& indice) {
    const QString n = nomeTabella(c, tabella);
    QSqlQuery q = c.interroga(QStringLiteral("SELECT name, origin FROM pragma_index_list(?)"), {n});
    QString trovato, origine;
    while (q.next()) {
        const QString s = q.value(0).toString();
        const QString jet = s.contains(QLatin1Char('.')) ? s.mid(s.indexOf(QLatin1Char('.')) + 1) : s;
        if (stessoNome(jet, indice) || (q.value(1).toString() == QLatin1String("pk") &&
                                        stessoNome(indice, QStringLiteral("PrimaryKey")))) {
            trovato = s;
            origine = q.value(1).toString();
        }
    }
    q.finish();
    if (trovato.isEmpty())
        solleva(errori::ElementoNonTrovato, indice);
    if (origine != QLatin1String("c"))
        solleva(errori::OperazioneNonSupportata, indice);
    c.atomico([&] {
        c.esegui(QStringLiteral("DROP INDEX ") + quota(trovato), {}, n);
        c.eliminaProprieta(n, chiaveIndice(indice));
    });
}

void creaQuery(Connessione& c, const QString& nome, const QString& sqlJet, const QString& selezioneSqlite) {
    validaNome(nome);
    if (nomeOccupato(c, nome))
        solleva(errori::OggettoEsistente, nome);
    c.atomico([&] {
        c.esegui(QStringLiteral("CREATE VIEW %1 AS %2").arg(quota(nome), selezioneSqlite), {}, nome);
        c.eliminaProprieta(nome);
        c.impostaProprieta(nome, QString(), QStringLiteral("SQL"), sqlJet);
    });
}

void eliminaQuery(Connessione& c, const QString& nome) {
    const QString n = nomeOggetto(c, nome, "view");
    if (n.isEmpty())
        solleva(errori::ElementoNonTrovato, nome);
    c.atomico([&] {
        c.esegui(QStringLiteral("DROP VIEW ") + quota(n), {}, n);
        c.eliminaProprieta(n);
    });
}

} // namespace qv::dao::catalogo
