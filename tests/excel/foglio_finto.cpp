// A stand-in for a spreadsheet program holding a workbook open: the lock
// file LibreOffice leaves beside it, a window titled after the workbook, and
// a second window that takes the focus. Closing the first window lets the
// workbook go. Each window's activation is printed ("ATTIVA " + title).
// Usage: foglio_finto WORKBOOK

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QWidget>

namespace {

class Finestra : public QWidget {
public:
    Finestra(const QString& titolo, QString blocco) : blocco_(std::move(blocco)) { setWindowTitle(titolo); }

protected:
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::ActivationChange && isActiveWindow())
            QTextStream(stdout) << "ATTIVA " << windowTitle() << Qt::endl;
        QWidget::changeEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (!blocco_.isEmpty()) QFile::remove(blocco_);
        QWidget::closeEvent(e);
    }

private:
    QString blocco_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QFileInfo cartella(app.arguments().value(1));
    const QString blocco = cartella.absoluteDir().filePath(".~lock." + cartella.fileName() + "#");
    QFile f(blocco);
    if (!f.open(QIODevice::WriteOnly)) return 1;
    f.write("finto,host\n");
    f.close();
    Finestra aperta(cartella.fileName() + " - Foglio finto", blocco), altra("Altro documento", {});
    aperta.resize(300, 200);
    altra.resize(200, 100);
    aperta.show();
    altra.show();
    altra.activateWindow();
    return app.exec();
}
