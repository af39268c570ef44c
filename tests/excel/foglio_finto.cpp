// A spreadsheet program holding a workbook open: LibreOffice's lock file
// beside it, a window titled after the workbook (closing it lets the
// workbook go) and a second window that takes the focus. The title of each
// window that becomes active is printed: "ATTIVA " + title.
// Usage: foglio_finto WORKBOOK

#include <QtWidgets>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QFileInfo cartella(app.arguments().value(1));
    const QString blocco = cartella.absoluteDir().filePath(".~lock." + cartella.fileName() + "#");
    if (QFile f(blocco); !f.open(QIODevice::WriteOnly)) return 1;
    QObject::connect(&app, &QGuiApplication::focusWindowChanged, [](QWindow* w) {
        if (w) QTextStream(stdout) << "ATTIVA " << w->title() << Qt::endl;
    });
    QWidget aperta, altra;
    aperta.setWindowTitle(cartella.fileName() + " - Foglio finto");
    altra.setWindowTitle("Altro documento");
    aperta.show();
    QObject::connect(aperta.windowHandle(), &QWindow::visibleChanged, [&](bool si) {
        if (!si) QFile::remove(blocco);
    });
    altra.show();
    altra.activateWindow();
    return app.exec();
}
