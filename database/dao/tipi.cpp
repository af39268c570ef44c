#include "database/dao/tipi.h"

#include "database/dao/errore.h"
#include "platform/day_number.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace qv::dao {

QString dichiarazioneTipo(int tipo, int dimensione) {
    switch (tipo) {
    case dbBoolean: return QStringLiteral("BIT");
    case dbByte: return QStringLiteral("BYTE");
    case dbInteger: return QStringLiteral("SHORT");
    case dbLong: return QStringLiteral("LONG");
    case dbCurrency: return QStringLiteral("CURRENCY");
    case dbSingle: return QStringLiteral("SINGLE");
    case dbDouble: return QStringLiteral("DOUBLE");
    case dbDate: return QStringLiteral("DATETIME");
    case dbLongBinary: return QStringLiteral("LONGBINARY");
    // LONGTEXT rather than MEMO: SQLite gives a declaration containing
    // "TEXT" text affinity, so a memo holding "12" stays text.
    case dbMemo: return QStringLiteral("LONGTEXT");
    case dbText:
    case dbBinary: {
        const int n = dimensione == 0 ? 255 : dimensione;
        if (n < 1 || n > 255)
            solleva(errori::TipoNonValido, QString::number(dimensione));
        return QStringLiteral("%1(%2)").arg(tipo == dbText ? "TEXT" : "BINARY").arg(n);
    }
    default:
        solleva(errori::TipoNonValido, QString::number(tipo));
    }
}

TipoDichiarato tipoDaDichiarazione(const QString& dichiarazione) {
    static const QRegularExpression forma(QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z0-9_ ]*?)\s*(?:\(\s*(\d+)\s*\))?\s*$)"));
    const QRegularExpressionMatch m = forma.match(dichiarazione);
    if (!m.hasMatch())
        return {};
    const QString nome = m.captured(1).toUpper();
    const int dimensione = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    auto in = [&](std::initializer_list<const char*> nomi) {
        for (const char* n : nomi)
            if (nome == QLatin1String(n))
                return true;
        return false;
    };
    int tipo = 0;
    if (in({"BIT", "YESNO", "BOOLEAN", "LOGICAL", "LOGICAL1"}))
        tipo = dbBoolean;
    else if (in({"BYTE", "TINYINT", "INTEGER1"}))
        tipo = dbByte;
    else if (in({"SHORT", "SMALLINT", "INTEGER2"}))
        tipo = dbInteger;
    else if (in({"LONG", "INT", "INTEGER", "INTEGER4", "COUNTER", "AUTOINCREMENT"}))
        tipo = dbLong;
    else if (in({"CURRENCY", "MONEY"}))
        tipo = dbCurrency;
    else if (in({"SINGLE", "REAL", "FLOAT4", "IEEESINGLE"}))
        tipo = dbSingle;
    else if (in({"DOUBLE", "FLOAT", "FLOAT8", "IEEEDOUBLE", "NUMBER"}))
        tipo = dbDouble;
    else if (in({"DATETIME", "DATE", "TIME", "TIMESTAMP"}))
        tipo = dbDate;
    else if (in({"BINARY", "VARBINARY"}))
        tipo = dbBinary;
    else if (in({"TEXT", "VARCHAR", "CHAR", "CHARACTER", "STRING", "ALPHANUMERIC", "NVARCHAR", "NCHAR"}))
        tipo = dbText;
    else if (in({"LONGBINARY", "GENERAL", "OLEOBJECT", "IMAGE", "BLOB"}))
        tipo = dbLongBinary;
    else if (in({"LONGTEXT", "LONGCHAR", "MEMO", "NOTE", "NTEXT"}))
        tipo = dbMemo;
    if (tipo == 0)
        return {};
    if (tipo == dbText || tipo == dbBinary)
        return {tipo, dimensione > 0 ? dimensione : 255};
    return {tipo, dimensioneFissa(tipo)};
}

int dimensioneFissa(int tipo) {
    switch (tipo) {
    case dbBoolean:
    case dbByte: return 1;
    case dbInteger: return 2;
    case dbLong:
    case dbSingle: return 4;
    case dbCurrency:
    case dbDouble:
    case dbDate: return 8;
    default: return 0;
    }
}

bool tipoTesto(int tipo) { return tipo == dbText || tipo == dbMemo; }
bool tipoIntero(int tipo) { return tipo >= dbBoolean && tipo <= dbLong; }
bool tipoNumerico(int tipo) { return tipo >= dbBoolean && tipo <= dbDate; }

namespace {

// A number from a value, as the runtime converts it: numbers as they are,
// booleans as -1/0, numeric text in the C or the user's form.
bool numero(const QVariant& v, double* out) {
    switch (v.typeId()) {
    case QMetaType::Bool:
        *out = v.toBool() ? -1 : 0;
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::SChar:
        *out = v.toDouble();
        return true;
    case QMetaType::QString: {
        const QString t = v.toString().trimmed();
        bool ok = false;
        *out = QLocale::c().toDouble(t, &ok);
        if (!ok)
            *out = QLocale::system().toDouble(t, &ok);
        return ok && !t.isEmpty();
    }
    default:
        return false;
    }
}

QVariant intero(double n, double minimo, double massimo, const QString& campo) {
    const double r = std::nearbyint(n); // half to even, as the runtime rounds
    if (!std::isfinite(r) || r < minimo || r > massimo)
        solleva(errori::Overflow, campo);
    return QVariant(static_cast<int>(r));
}

} // namespace

QVariant valoreDaAssegnare(const QVariant& valore, int tipo, int dimensione, const QString& campo) {
    if (valore.isNull() || !valore.isValid())
        return QVariant();
    double n = 0;
    switch (tipo) {
    case dbText:
    case dbMemo: {
        QString t;
        if (valore.typeId() == QMetaType::QDate || valore.typeId() == QMetaType::QDateTime)
            t = QLocale::system().toString(valore.toDateTime(), QLocale::ShortFormat);
        else
            t = valore.toString();
        if (tipo == dbText && t.size() > dimensione)
            solleva(errori::CampoTroppoPiccolo, campo);
        return QVariant(t);
    }
    case dbBoolean:
        if (!numero(valore, &n)) {
            const QString t = valore.toString().trimmed();
            if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                return QVariant(-1);
            if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                return QVariant(0);
            solleva(errori::ConversioneTipo, campo);
        }
        return QVariant(n != 0 ? -1 : 0);
    case dbByte:
        if (!numero(valore, &n))
            solleva(errori::ConversioneTipo, campo);
        return intero(n, 0, 255, campo);
    case dbInteger:
        if (!numero(valore, &n))
            solleva(errori::ConversioneTipo, campo);
        return intero(n, -32768, 32767, campo);
    case dbLong:
        if (!numero(valore, &n))
            solleva(errori::ConversioneTipo, campo);
        return intero(n, -2147483648.0, 2147483647.0, campo);
    case dbCurrency:
        if (!numero(valore, &n))
            solleva(errori::ConversioneTipo, campo);
        return QVariant(std::nearbyint(n * 10000.0) / 10000.0);
    case dbSingle:
        if (!numero(valore, &n))
            solleva(errori::ConversioneTipo, campo);
        if (std::fabs(n) > std::numeric_limits<float>::max())
            solleva(errori::Overflow, campo);
        return QVariant(static_cast<double>(static_cast<float>(n)));
    case dbDouble:
        if (!numero(valore, &n))
            solleva(errori::ConversioneTipo, campo);
        return QVariant(n);
    case dbDate:
        if (valore.typeId() == QMetaType::QDate)
            return QVariant(platform::dayNumber(valore.toDate()));
        if (valore.typeId() == QMetaType::QDateTime)
            return QVariant(platform::dayNumber(valore.toDateTime()));
        if (valore.typeId() == QMetaType::QString) {
            if (const auto giorno = platform::dayNumberFromText(valore.toString()))
                return QVariant(*giorno);
        }
        if (!numero(valore, &n))
            solleva(errori::ConversioneTipo, campo);
        return QVariant(n);
    case dbBinary:
    case dbLongBinary: {
        const QByteArray b =
            valore.typeId() == QMetaType::QByteArray ? valore.toByteArray() : valore.toString().toUtf8();
        if (tipo == dbBinary && b.size() > dimensione)
            solleva(errori::CampoTroppoPiccolo, campo);
        return QVariant(b);
    }
    default:
        return valore;
    }
}

QVariant valoreLetto(const QVariant& memorizzato, int tipo) {
    if (memorizzato.isNull() || !memorizzato.isValid())
        return QVariant();
    switch (tipo) {
    case dbText:
    case dbMemo:
        return QVariant(memorizzato.toString());
    case dbBoolean:
        return QVariant(memorizzato.toDouble() != 0);
    case dbByte:
    case dbInteger:
    case dbLong:
        if (memorizzato.typeId() == QMetaType::QString || memorizzato.typeId() == QMetaType::QByteArray)
            return memorizzato; // stored by someone else's SQL as text: shown as it is
        return QVariant(static_cast<int>(std::nearbyint(memorizzato.toDouble())));
    case dbCurrency:
    case dbSingle:
    case dbDouble:
    case dbDate:
        if (memorizzato.typeId() == QMetaType::QString || memorizzato.typeId() == QMetaType::QByteArray)
            return memorizzato;
        return QVariant(memorizzato.toDouble());
    case dbBinary:
    case dbLongBinary:
        return QVariant(memorizzato.toByteArray());
    default:
        return memorizzato;
    }
}

} // namespace qv::dao
