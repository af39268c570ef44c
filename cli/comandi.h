#pragma once
// The commands of quorvan-cli. Each lives in a file of its own and is listed
// once in the table of main.cpp.

#include <QString>
#include <QStringList>

namespace qv::cli {

// Exit status of a command line that cannot be understood.
inline constexpr int kErroreUso = 2;
// Exit status when the program folder cannot be used.
inline constexpr int kErroreAvvio = 3;

// `argomenti` are the words after the command's name; `home` is --home or
// empty. Returns the program's exit status.
using FunzioneComando = int (*)(const QStringList& argomenti, const QString& home);

struct Comando {
    const char* nome;
    const char* uso; // the arguments, for the usage text
    FunzioneComando esegui;
};

// query CODE [--json]: one enquiry in the single-enquiry context. Exit
// status = the outcome (0, 1, 9).
int ComandoQuery(const QStringList& argomenti, const QString& home);

} // namespace qv::cli
