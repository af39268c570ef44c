#pragma once
// The program password: kept obscured in a private file of the installation,
// never in the configuration file, compared without regard to case.

#include <QString>

namespace qv {

// The private record beside the program: "Quorvan.pwd" in the program folder.
QString FileRecordRiservato(const QString& cartellaProgramma);

// The obscured form: one character whose code is the password's length, then
// each character with its code raised by 100. Reading reverses it; a record
// whose length character does not match its content reads as empty text.
QString OscuraPassword(const QString& password);
QString ChiarisciPassword(const QString& oscurata);

// The password stored in the record, as written; empty when there is none or
// the file cannot be read.
QString LeggiRecordRiservato(const QString& file);
// Writes the record, readable by the user only. An empty password removes it.
bool ScriviRecordRiservato(const QString& file, const QString& password);

// The password start-up holds: the stored text trimmed and upper-cased, or
// empty (no protection) when any character is outside "0".."9" and "A".."Z".
QString PasswordDiAvvio(const QString& memorizzata);

// A new password as it is stored: trimmed and upper-cased.
QString NormalizzaPassword(const QString& digitata);

// Three answers at most: the counter starts at 0 when the window opens.
class TentativiPassword {
public:
    enum class Esito { Accettata, Riprova, Fine };

    // The typed text in upper case against the expected password; a wrong
    // answer counts, and the third gives Fine.
    Esito verifica(const QString& digitata, const QString& attesa);
    int contatore() const { return contatore_; }

private:
    Esito errore();
    int contatore_ = 0;
};

} // namespace qv
