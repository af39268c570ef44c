#include "shell/password.h"

#include "shell/versione_programma.h"

#include <QFile>
#include <QSaveFile>

namespace qv {

QString FileRecordRiservato(const QString& cartellaProgramma) {
    return cartellaProgramma + QLatin1Char('/') + NomeProgramma + QStringLiteral(".pwd");
}

QString OscuraPassword(const QString& password) {
    QString out(QChar(char16_t(password.size())));
    for (const QChar c : password)
        out += QChar(char16_t(c.unicode() + 100));
    return out;
}

QString ChiarisciPassword(const QString& oscurata) {
    if (oscurata.isEmpty()) return {};
    const int lunghezza = oscurata.at(0).unicode();
    if (lunghezza != oscurata.size() - 1) return {};
    QString out;
    for (int i = 1; i < oscurata.size(); ++i) {
        const int c = oscurata.at(i).unicode() - 100;
        if (c <= 0) return {};
        out += QChar(char16_t(c));
    }
    return out;
}

QString LeggiRecordRiservato(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return ChiarisciPassword(QString::fromUtf8(f.read(4096)));
}

bool ScriviRecordRiservato(const QString& file, const QString& password) {
    if (password.isEmpty()) return !QFile::exists(file) || QFile::remove(file);
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(OscuraPassword(password).toUtf8());
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return f.commit();
}

QString PasswordDiAvvio(const QString& memorizzata) {
    const QString p = memorizzata.trimmed().toUpper();
    for (const QChar c : p) {
        const bool cifra = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool lettera = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        if (!cifra && !lettera) return {};
    }
    return p;
}

QString NormalizzaPassword(const QString& digitata) {
    return digitata.trimmed().toUpper();
}

TentativiPassword::Esito TentativiPassword::verifica(const QString& digitata, const QString& attesa) {
    if (digitata.toUpper() == attesa) return Esito::Accettata;
    return errore();
}

TentativiPassword::Esito TentativiPassword::errore() {
    if (contatore_ < 2) {
        ++contatore_;
        return Esito::Riprova;
    }
    return Esito::Fine;
}

} // namespace qv
