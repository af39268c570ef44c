// Start-up of the desktop program to a usable main window: the sixteen
// start-up steps, the window shown and painted once. First run (empty
// program folder) and later runs (configuration file in place) apart.
// Usage: bench_avvio [runs]   (default 20); prints median and slowest in ms.

#include "app/programma_desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>

namespace {

double avvio(const QString& cartella) {
    QElapsedTimer orologio;
    orologio.start();
    qv::ProgrammaDesktop programma(cartella);
    if (!programma.avvia()) return -1;
    programma.principale().show();
    if (!QTest::qWaitForWindowExposed(&programma.principale())) return -1;
    programma.principale().repaint();
    const double ms = double(orologio.nsecsElapsed()) / 1e6;
    programma.principale().hide();
    return ms;
}

void riporta(const char* nome, QList<double> tempi) {
    std::sort(tempi.begin(), tempi.end());
    QTextStream(stdout) << nome << ": median " << QString::number(tempi[tempi.size() / 2], 'f', 1)
                        << " ms, slowest " << QString::number(tempi.last(), 'f', 1) << " ms over "
                        << tempi.size() << " runs" << Qt::endl;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int giri = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    QList<double> primo, successivi;
    QTemporaryDir fisso;
    for (int i = 0; i < giri; ++i) {
        QTemporaryDir nuovo;
        primo << avvio(nuovo.path());
        successivi << avvio(fisso.path());
    }
    riporta("first run ", primo);
    riporta("later runs", successivi);
    return 0;
}
