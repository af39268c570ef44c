#include "database/dao/errore.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlError>

namespace qv::dao {

namespace {

const QHash<int, QString>& testi() {
    static const QHash<int, QString> t = {
        {errori::FileNonTrovato, QStringLiteral("Impossibile trovare il file '|'.")},
        {errori::FormatoNonRiconosciuto, QStringLiteral("Formato di database non riconosciuto '|'.")},
        {errori::DatabaseDanneggiato,
         QStringLiteral("Impossibile aprire il database '|'. Potrebbe non essere un database riconosciuto "
                        "dall'applicazione oppure il file potrebbe essere danneggiato.")},
        {errori::AccessoNegato,
         QStringLiteral("Impossibile aprire il file '|'. Il file è già aperto in modo esclusivo da un altro "
                        "utente oppure è necessaria l'autorizzazione per visualizzarne e scriverne i dati.")},
        {errori::ApertoInEsclusiva,
         QStringLiteral("Si è tentato di aprire un database già aperto in modo esclusivo da un altro utente o "
                        "processo ('|'). Riprovare quando il database sarà disponibile.")},
        {errori::InUsoDaAltri,
         QStringLiteral("Il database '|' è già utilizzato da un altro utente o processo. Quando il database "
                        "sarà disponibile, riprovare l'operazione.")},
        {errori::TabellaInUso,
         QStringLiteral("Impossibile bloccare la tabella '|'; è attualmente in uso da un'altra operazione.")},
        {errori::NessunRecordCorrente, QStringLiteral("Nessun record corrente.")},
        {errori::UpdateSenzaEdit, QStringLiteral("Update o CancelUpdate senza AddNew o Edit.")},
        {errori::ValoriDuplicati,
         QStringLiteral("Le modifiche richieste alla tabella non sono state apportate perché creerebbero valori "
                        "duplicati nell'indice o nella chiave primaria ('|').")},
        {errori::CampoTroppoPiccolo,
         QStringLiteral("Il campo '|' è troppo piccolo per accettare la quantità di dati che si è tentato di "
                        "aggiungere.")},
        {errori::RecordEliminato, QStringLiteral("Il record è eliminato.")},
        {errori::CampoRichiesto,
         QStringLiteral("Il campo '|' non può contenere un valore Null perché la proprietà Required per questo "
                        "campo è impostata a True.")},
        {errori::LunghezzaZero, QStringLiteral("Il campo '|' non può essere una stringa di lunghezza zero.")},
        {errori::ConversioneTipo, QStringLiteral("Errore di conversione del tipo di dati ('|').")},
        {errori::Overflow, QStringLiteral("Overflow del campo numerico ('|').")},
        {errori::ElementoNonTrovato, QStringLiteral("Elemento non trovato in questo insieme ('|').")},
        {errori::OggettoNonTrovato, QStringLiteral("Impossibile trovare l'oggetto '|'.")},
        {errori::TabellaNonTrovata, QStringLiteral("Impossibile trovare la tabella o la query di input '|'.")},
        {errori::ParametriInsufficienti, QStringLiteral("Parametri insufficienti: nome sconosciuto '|'.")},
        {errori::ErroreSintassi, QStringLiteral("Istruzione SQL non accettata: |")},
        {errori::IstruzioneNonValida,
         QStringLiteral("Istruzione SQL non valida; prevista 'DELETE', 'INSERT', 'SELECT' o 'UPDATE' ('|').")},
        {errori::CampoSconosciutoInsert,
         QStringLiteral("L'istruzione INSERT INTO contiene il seguente nome di campo sconosciuto: '|'.")},
        {errori::QuerySelezione, QStringLiteral("Impossibile eseguire una query di selezione ('|').")},
        {errori::OperazioneNonSupportata,
         QStringLiteral("Operazione non supportata per questo tipo di oggetto ('|').")},
        {errori::IndiceNonImpostato, QStringLiteral("Operazione non valida senza un indice corrente.")},
        {errori::TabellaEsistente, QStringLiteral("La tabella '|' esiste già.")},
        {errori::OggettoEsistente, QStringLiteral("L'oggetto '|' esiste già.")},
        {errori::NomeDuplicato,
         QStringLiteral("Impossibile aggiungere. Nell'insieme esiste già un oggetto con il nome '|'.")},
        {errori::CampoInIndice,
         QStringLiteral("Impossibile eliminare un campo che fa parte di un indice ('|').")},
        {errori::TipoNonValido, QStringLiteral("Tipo di dati del campo non valido ('|').")},
        {errori::ArgomentoNonValido, QStringLiteral("Argomento non valido ('|').")},
        {errori::TransazioneAssente,
         QStringLiteral("Si è tentato di eseguire il commit o il rollback di una transazione senza averla "
                        "avviata.")},
        {errori::OggettoNonValido, QStringLiteral("Oggetto non valido o non più impostato.")},
        {errori::DiscoPieno, QStringLiteral("Spazio su disco insufficiente ('|').")},
        {errori::IndiceNonValido, QStringLiteral("'|' non è un indice di questa tabella.")},
        {errori::NomeNonValido, QStringLiteral("'|' non è un nome valido.")},
        {errori::NessunCampo, QStringLiteral("Nessun campo definito: impossibile aggiungere la tabella '|'.")},
        {errori::CampoDuplicato, QStringLiteral("Impossibile definire un campo più di una volta ('|').")},
        {errori::IndiceEsistente, QStringLiteral("L'indice '|' esiste già.")},
        {errori::ChiavePrimariaEsistente, QStringLiteral("La chiave primaria esiste già ('|').")},
        {errori::SolaLettura,
         QStringLiteral("Impossibile aggiornare. Il database o l'oggetto è di sola lettura ('|').")},
        {errori::DatabaseEsistente, QStringLiteral("Il database '|' esiste già.")},
        {errori::Riservato, QStringLiteral("Errore del motore di database: |")},
    };
    return t;
}

} // namespace

ErroreDao::ErroreDao(int numero, QString descrizione)
    : numero_(numero), descrizione_(std::move(descrizione)),
      testo_(QString::number(numero_).append(QStringLiteral(": ")).append(descrizione_).toUtf8()) {}

QString testoErrore(int numero, const QString& argomento) {
    QString t = testi().value(numero, QStringLiteral("Errore |"));
    if (!t.contains(QLatin1Char('|')))
        return t;
    if (argomento.isEmpty()) {
        // Drop the placeholder together with the quotes or brackets around it.
        t.replace(QStringLiteral(" ('|')"), QString()).replace(QStringLiteral(" '|'"), QString());
        t.replace(QStringLiteral("'|'"), QString()).replace(QStringLiteral("|"), QString());
        return t.trimmed();
    }
    return t.replace(QLatin1Char('|'), argomento);
}

void solleva(int numero, const QString& argomento) { throw ErroreDao(numero, testoErrore(numero, argomento)); }

ErroreDao erroreDaSqlite(const QSqlError& e, const QString& oggetto, bool inApertura) {
    const int codice = e.nativeErrorCode().toInt() & 0xff;
    const QString testo = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    auto errore = [](int n, const QString& arg) { return ErroreDao(n, testoErrore(n, arg)); };

    switch (codice) {
    case 5: // SQLITE_BUSY: another connection or process holds the file
        return errore(inApertura ? errori::ApertoInEsclusiva : errori::InUsoDaAltri, oggetto);
    case 6: // SQLITE_LOCKED: a pending statement of this connection uses the table
        return errore(errori::TabellaInUso, oggetto);
    case 11: // SQLITE_CORRUPT
        return errore(errori::DatabaseDanneggiato, oggetto);
    case 26: // SQLITE_NOTADB
        return errore(errori::FormatoNonRiconosciuto, oggetto);
    case 13: // SQLITE_FULL
        return errore(errori::DiscoPieno, oggetto);
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
    case 23: // SQLITE_AUTH
        return errore(errori::AccessoNegato, oggetto);
    default:
        break;
    }

    // Constraint failures name the constraint; the program's own constraints
    // are named "<field>:<rule>" so the field comes back in the message.
    static const QRegularExpression check(QStringLiteral(R"(CHECK constraint failed: (.+):(\w+)$)"));
    static const QRegularExpression nonNull(QStringLiteral(R"(NOT NULL constraint failed: (.+)$)"));
    static const QRegularExpression unico(QStringLiteral(R"(UNIQUE constraint failed: (.+)$)"));
    static const QRegularExpression tabella(QStringLiteral(R"(no such table: (?:\w+\.)?(.+)$)"));
    static const QRegularExpression colonna(QStringLiteral(R"(no such column: (.+)$)"));
    QRegularExpressionMatch m;
    if ((m = check.match(testo)).hasMatch()) {
        const QString regola = m.captured(2);
        if (regola == QLatin1String("lunghezza"))
            return errore(errori::CampoTroppoPiccolo, m.captured(1));
        if (regola == QLatin1String("vuoto"))
            return errore(errori::LunghezzaZero, m.captured(1));
        return errore(errori::ConversioneTipo, m.captured(1));
    }
    if ((m = nonNull.match(testo)).hasMatch())
        return errore(errori::CampoRichiesto, m.captured(1));
    if ((m = unico.match(testo)).hasMatch())
        return errore(errori::ValoriDuplicati, m.captured(1));
    if ((m = tabella.match(testo)).hasMatch())
        return errore(errori::TabellaNonTrovata, m.captured(1));
    if ((m = colonna.match(testo)).hasMatch())
        return errore(errori::ParametriInsufficienti, m.captured(1));
    if (testo.contains(QLatin1String("database is locked")))
        return errore(inApertura ? errori::ApertoInEsclusiva : errori::InUsoDaAltri, oggetto);
    if (testo.contains(QLatin1String("file is not a database")))
        return errore(errori::FormatoNonRiconosciuto, oggetto);
    if (testo.contains(QLatin1String("malformed")))
        return errore(errori::DatabaseDanneggiato, oggetto);
    return errore(errori::Riservato, testo);
}

} // namespace qv::dao
