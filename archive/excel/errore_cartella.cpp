#include "archive/excel/errore_cartella.h"

namespace qv {

ErroreExcel ErroreCartella(CodiceErroreExcel codice, const QString& dettaglio) {
    QString d;
    switch (codice) {
    case CodiceErroreExcel::Nessuno:
        return {};
    case CodiceErroreExcel::FileMancante:
        d = QStringLiteral("Il file non esiste");
        break;
    case CodiceErroreExcel::FileIlleggibile:
        d = QStringLiteral("Il file non si può leggere");
        break;
    case CodiceErroreExcel::NonCartella:
        d = QStringLiteral("Il file non è una cartella di lavoro Excel (.xlsx, .xlsm)");
        break;
    case CodiceErroreExcel::ParteDanneggiata:
        d = QStringLiteral("Cartella di lavoro danneggiata");
        break;
    case CodiceErroreExcel::FoglioMancante:
        d = QStringLiteral("Il foglio non esiste");
        break;
    case CodiceErroreExcel::ProtettaPassword:
        d = QStringLiteral("La cartella di lavoro è protetta da password");
        break;
    case CodiceErroreExcel::SolaLettura:
        d = QStringLiteral("Il file è di sola lettura");
        break;
    case CodiceErroreExcel::DiscoPieno:
        d = QStringLiteral("Disco pieno: la cartella di lavoro non è stata salvata");
        break;
    case CodiceErroreExcel::SalvataggioFallito:
        d = QStringLiteral("La cartella di lavoro non si può salvare");
        break;
    case CodiceErroreExcel::CartellaAperta:
        d = QStringLiteral("La cartella di lavoro è aperta in un altro programma");
        break;
    case CodiceErroreExcel::LibreOfficeMancante:
        d = QStringLiteral("Per i file .xls e .ods serve LibreOffice: installare il pacchetto libreoffice-calc-nogui");
        break;
    case CodiceErroreExcel::ConversioneFallita:
        d = QStringLiteral("LibreOffice non ha convertito il file");
        break;
    case CodiceErroreExcel::ColonnaNonValida:
        d = QStringLiteral("Colonna non valida");
        break;
    }
    if (!dettaglio.isEmpty())
        d += QStringLiteral(" (") + dettaglio + QLatin1Char(')');
    return {codice, d};
}

QString TestoErroreExcel(const ErroreExcel& errore) {
    return QStringLiteral("Errore: ") + QString::number(errore.numero()) + QStringLiteral(" - ") + errore.descrizione;
}

} // namespace qv
