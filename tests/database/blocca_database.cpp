// Helper process for the database tests: holds a database the way another
// program would, until its standard input closes.
//   qv_blocca_database <file> esclusivo   SQLite's exclusive lock (a writer mid-transaction)
//   qv_blocca_database <file> aperto      open through the engine, as a second copy of the program

#include "database/dao/workspace.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 3) return 2;
    qv::dao::Workspace ws;
    qv::dao::Database db;
    if (a[2] == QLatin1String("esclusivo")) {
        QSqlDatabase s = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        s.setDatabaseName(a[1]);
        QSqlQuery q(s);
        if (!s.open() || !q.exec(QStringLiteral("BEGIN EXCLUSIVE"))) return 1;
    } else {
        try {
            db = ws.OpenDatabase(a[1]);
        } catch (const qv::dao::ErroreDao&) {
            return 1;
        }
    }
    QTextStream(stdout) << "pronto" << Qt::endl;
    while (std::fgetc(stdin) != EOF)
        ;
    return 0;
}
