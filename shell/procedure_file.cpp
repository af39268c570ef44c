#include "shell/procedure_file.h"

#include "platform/system_folders.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

const QString kCaratteriVietati = QStringLiteral(";<=>?[]*");

int ultimoSeparatore(const QString& percorso) {
    return qMax(percorso.lastIndexOf(QLatin1Char('\\')), percorso.lastIndexOf(QLatin1Char('/')));
}

bool cercaVoce(const QString& percorso, int attributi) {
    const QFileInfo info(percorso);
    const QString nome = info.fileName();
    const bool cartelle = attributi & kAttributoCartella;
    if (!nome.contains(QLatin1Char('*')) && !nome.contains(QLatin1Char('?'))) {
        if (!info.exists())
            return false;
        return info.isFile() || (cartelle && info.isDir());
    }
    QDir::Filters filtri = QDir::Files | QDir::Hidden | QDir::System;
    if (cartelle)
        filtri |= QDir::Dirs | QDir::NoDotAndDotDot;
    return !QDir(info.path()).entryList({nome}, filtri).isEmpty();
}

} // namespace

int FileAperti::FreeFile() const {
    for (int n = 1; n <= 511; ++n)
        if (!aperti_.count(n))
            return n;
    return 0;
}

QFile* FileAperti::file(int numero) const {
    const auto it = aperti_.find(numero);
    return it == aperti_.end() ? nullptr : it->second.file.get();
}

ModoFile FileAperti::modo(int numero) const {
    const auto it = aperti_.find(numero);
    return it == aperti_.end() ? ModoFile::Input : it->second.modo;
}

int FileAperti::lunghezzaRecord(int numero) const {
    const auto it = aperti_.find(numero);
    return it == aperti_.end() ? 0 : it->second.lunghezzaRecord;
}

void FileAperti::Chiudi(int numero) { aperti_.erase(numero); }

void FileAperti::ChiudiTutti() { aperti_.clear(); }

bool EsisteFile(Messaggi& messaggi, const QString& percorso, int attributi) {
    if (percorso.trimmed().isEmpty())
        return false;
    QString p = percorso;
    const int virgolette = p.indexOf(QLatin1Char('"'), 1);
    if (virgolette > 0)
        p = p.mid(1, virgolette - 1);
    for (;;) {
        const QFileInfo cartella(QFileInfo(p).path());
        // A folder that exists but cannot be listed is the platform's "path
        // not found" case: the user may fix it and retry.
        if (cartella.exists() && !cartella.isReadable()) {
            if (ErroriFile(messaggi, 76, p) == 0)
                continue;
            return false;
        }
        return cercaVoce(p, attributi);
    }
}

int ErroriFile(Messaggi& messaggi, int numeroErrore, const QString& percorso) {
    const QString drive = percorso.left(2);
    QString testo;
    Pulsanti pulsanti = Pulsanti::RiprovaAnnulla;
    switch (numeroErrore) {
    case 68:
        testo = QStringLiteral("Questo device non e' utilizzabile   ") + drive;
        pulsanti = Pulsanti::Ok;
        break;
    case 71:
        testo = QStringLiteral("Il disco non è pronto   ") + drive;
        break;
    case 57:
        testo = QStringLiteral("Errore di I/O sul DEVICE del file   ") + drive;
        break;
    case 61:
        testo = QStringLiteral("Non c'è più spazio sul disco   ") + drive;
        break;
    case 52:
    case 64:
        testo = QStringLiteral("Il nome dell'archivio non è corretto.");
        pulsanti = Pulsanti::Ok;
        break;
    case 76:
        testo = QStringLiteral("Questo percorso non esiste.");
        break;
    case 54:
        testo = QStringLiteral("L'archivio non si può aprire per quel tipo di accesso.");
        pulsanti = Pulsanti::Ok;
        break;
    case 55:
        testo = QStringLiteral("L'archivio è già aperto.");
        break;
    case 62:
        testo = QStringLiteral("L'archivio ha un fine-file non standard,\no è stata fatta una lettura oltre la fine.");
        pulsanti = Pulsanti::Ok;
        break;
    default:
        return 3;
    }
    const Risposta r =
        messaggi.mostra(testo, QStringLiteral("Errori su  ") + percorso, Icona::Esclamazione, pulsanti);
    return r == Risposta::Riprova ? 0 : 2;
}

int ApriFile(FileAperti& files, Messaggi& messaggi, const QString& percorso, int numero, ModoFile modo,
             int lunghezzaRecord, bool verifica) {
    for (QChar c : kCaratteriVietati) {
        if (percorso.contains(c)) {
            messaggi.mostra(QStringLiteral("Il nome dell'archivio ") + percorso + QStringLiteral(" non e' corretto"),
                            QStringLiteral("Nome errato"), Icona::Esclamazione, Pulsanti::Ok);
            return 0;
        }
    }
    if (verifica) {
        const bool esiste = EsisteFile(messaggi, percorso, kAttributoNormale);
        if (modo == ModoFile::Output && esiste &&
            messaggi.mostra(QStringLiteral("L'archivio ") + percorso + QStringLiteral(" esiste gia'.\nLo vuoi sostituire?"),
                            QStringLiteral("Archivio esistente"), Icona::Esclamazione, Pulsanti::SiNo) == Risposta::No)
            return 0;
        if (!esiste &&
            messaggi.mostra(QStringLiteral("L'archivio ") + percorso + QStringLiteral(" non esiste.\nLo vuoi creare?"),
                            QStringLiteral("Archivio inesistente"), Icona::Esclamazione, Pulsanti::SiNo) == Risposta::No)
            return 0;
    }

    QIODevice::OpenMode apertura;
    switch (modo) {
    case ModoFile::Output:
        apertura = QIODevice::WriteOnly | QIODevice::Truncate;
        break;
    case ModoFile::Input:
        apertura = QIODevice::ReadOnly;
        break;
    case ModoFile::Append:
        apertura = QIODevice::WriteOnly | QIODevice::Append;
        break;
    case ModoFile::Random:
    case ModoFile::Binary:
        apertura = QIODevice::ReadWrite;
        break;
    default:
        return 0;
    }
    if (numero <= 0 || files.aperto(numero))
        return 0;
    // The runtime refuses to open one file twice for writing; reading twice is allowed.
    const QString assoluto = QFileInfo(percorso).absoluteFilePath();
    for (const auto& [n, voce] : files.aperti_)
        if (QFileInfo(voce.file->fileName()).absoluteFilePath() == assoluto &&
            (modo != ModoFile::Input || voce.modo != ModoFile::Input))
            return 0;
    auto file = std::make_unique<QFile>(percorso);
    if (!file->open(apertura))
        return 0;
    files.aperti_[numero] = FileAperti::Voce{std::move(file), modo, lunghezzaRecord};
    return numero;
}

QString CartellaDi(const QString& percorso) {
    const int sep = ultimoSeparatore(percorso);
    return sep < 0 ? QString() : percorso.left(sep);
}

QString NomeFileDi(const QString& percorso) {
    const QString cartella = CartellaDi(percorso);
    return cartella.isEmpty() && ultimoSeparatore(percorso) < 0 ? percorso : percorso.mid(cartella.size() + 1);
}

QString CartellaSistema() {
    QString cartella = platform::systemFolder();
    if (cartella.isEmpty())
        return {};
    while (cartella.endsWith(QLatin1Char('/')) || cartella.endsWith(QLatin1Char('\\')))
        cartella.chop(1);
    return cartella + QDir::separator();
}

QString TroncaAlNul(const QString& testo) {
    const int nul = testo.indexOf(QChar(0));
    return nul < 0 ? testo : testo.left(nul);
}

} // namespace qv
