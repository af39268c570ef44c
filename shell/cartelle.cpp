#include "shell/cartelle.h"

#include <QDir>
#include <QStorageInfo>

namespace qv {

bool CambiaCartella(const QString& percorso) {
    return !percorso.isEmpty() && QDir::setCurrent(percorso);
}

QString RadiceCartellaCorrente() {
    const QStorageInfo info(QDir::currentPath());
    return info.isValid() ? info.rootPath() : QDir::rootPath();
}

void CercaFile(Avviatore& avviatore, const QString& cartella) {
    avviatore.apriDocumento(cartella, QString(), QString(), 1);
}

} // namespace qv
