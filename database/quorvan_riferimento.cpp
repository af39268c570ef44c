// quorvan-riferimento FILE: writes the reference database "Quorvan0.mdb"
// from the schema in database/schema_riferimento.cpp. The build runs it so
// that the file ships beside the executables.

#include "database/schema_riferimento.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (app.arguments().size() != 2) {
        err << "uso: quorvan-riferimento FILE" << Qt::endl;
        return 2;
    }
    const QString destinazione = app.arguments().at(1);
    // Written beside and moved into place, so that a failed run never
    // leaves half a reference database.
    const QString temporaneo = destinazione + QStringLiteral(".nuovo");
    QFile::remove(temporaneo);
    try {
        qv::dao::Workspace ws;
        qv::CreaDatabaseRiferimento(ws, temporaneo);
    } catch (const qv::dao::ErroreDao& e) {
        QFile::remove(temporaneo);
        err << e.numero() << ": " << e.descrizione() << Qt::endl;
        return 1;
    }
    QFile::remove(destinazione);
    if (!QFile::rename(temporaneo, destinazione)) {
        err << "impossibile scrivere " << destinazione << Qt::endl;
        return 1;
    }
    return 0;
}
