#pragma once
// The shared file and folder procedures every window uses: existence checks,
// the file-error dialog, and files opened by number through one opener that
// checks the name and, on request, asks before replacing or creating.

#include "shell/messaggi.h"

#include <QFile>
#include <QString>

#include <map>
#include <memory>

namespace qv {

// How ApriFile opens a file.
enum class ModoFile { Output = 1, Input = 2, Append = 3, Random = 4, Binary = 5 };

// The program's open files, by number, as the runtime's file table keeps them.
class FileAperti {
public:
    // The lowest number not in use (1..511), or 0 when all are taken.
    int FreeFile() const;
    QFile* file(int numero) const;
    bool aperto(int numero) const { return file(numero) != nullptr; }
    ModoFile modo(int numero) const;
    int lunghezzaRecord(int numero) const;
    void Chiudi(int numero);
    void ChiudiTutti();
    int quanti() const { return static_cast<int>(aperti_.size()); }

private:
    friend int ApriFile(FileAperti&, Messaggi&, const QString&, int, ModoFile, int, bool);
    struct Voce {
        std::unique_ptr<QFile> file;
        ModoFile modo;
        int lunghezzaRecord;
    };
    std::map<int, Voce> aperti_;
};

// Attributes of EsisteFile: 0 normal files, 16 folders too.
constexpr int kAttributoNormale = 0;
constexpr int kAttributoCartella = 16;

// True when a file (or, with 16, a folder) matches the path; "*" and "?" in
// the last component are wildcards. A path quoted after its first character
// is unquoted first. Blank paths are false without any dialog.
bool EsisteFile(Messaggi& messaggi, const QString& percorso, int attributi = kAttributoNormale);

// Shows the message for a file error and returns 0 (retry), 2 (give up) or
// 3 (unrecognised error: nothing shown).
int ErroriFile(Messaggi& messaggi, int numeroErrore, const QString& percorso);

// Opens `percorso` under `numero`. Returns `numero`, or 0 when the file was not
// opened: a bad name ("Nome errato"), a No to the replace/create question
// (asked only with `verifica`), an unknown mode, or an open that fails (a
// missing file for input, a file already open).
int ApriFile(FileAperti& files, Messaggi& messaggi, const QString& percorso, int numero, ModoFile modo,
             int lunghezzaRecord = 0, bool verifica = false);

// Folder part of a path, without the trailing separator ("\" or "/"); empty
// when the path has none. NomeFileDi is what follows it.
QString CartellaDi(const QString& percorso);
QString NomeFileDi(const QString& percorso);

// The platform's system folder with exactly one trailing separator.
QString CartellaSistema();

QString TroncaAlNul(const QString& testo);

} // namespace qv
