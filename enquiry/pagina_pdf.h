#pragma once
// The program's own PDF printer ("PDFCreator") and what the page window does
// with the files it writes: its three settings (section "PDFCREATOR"), the
// name it gives a printed document, the names the agencies' pages are saved
// under and the names they are moved to, and the patient file routines that
// delete and rename them.

#include <QString>

#include <chrono>

namespace qv {

class Messaggi;

// The printer's name as printer lists show it.
inline constexpr const char* NomeStampantePdf = "PDFCreator";

struct ImpostazioniPdf {
    int UseAutosave = 1;       // non-zero: the file is written without asking
    QString AutosaveFilename;  // the file name's template; "<Title>" is the document's title
    QString AutosaveDirectory; // where automatic saving writes
};

// Section "PDFCREATOR": "UseAutosave" (default 1), "AutosaveFilename"
// (default "<Title>"), "AutosaveDirectory" (default the program folder
// followed by "/PDF"). Blank values take the default.
ImpostazioniPdf LeggiImpostazioniPdf(const QString& fileIni, const QString& cartellaProgramma);

// A document title as a file name: the characters a file name cannot hold
// (\ / : * ? " < > |) become "_".
QString TitoloComeNomeFile(const QString& titolo);

// The file automatic saving writes a document to: the folder, then the
// template with "<Title>" replaced by the title made a file name, then ".pdf".
// Empty without automatic saving (the printer then asks for a name).
QString FilePdfAutomatico(const ImpostazioniPdf& impostazioni, const QString& titolo);

// The check the page window makes before printing. Stato is 0 when the
// printer is the PDF printer saving automatically under "<Title>" in a known
// folder, which is then CartellaPdf (trimmed, one trailing separator
// removed); otherwise -1 and CartellaPdf is empty. A template other than
// "<Title>" is told with "NOME DEL SALVATAGGIO AUTOMATICO DIVERSO DA <Title>".
struct ControlloPdf {
    int Stato = -1;
    QString CartellaPdf;
};
ControlloPdf ControllaPdfCreator(const QString& NomeStampante, const ImpostazioniPdf& impostazioni,
                                 Messaggi& messaggi);

// The names the PDF printer gives the agencies' pages (their addresses as a
// file name): "tr" the transit page, "ex" the export page, any other kind the
// VAT page.
QString NomePdfCreator(const QString& tipo);

// The name a printed page is moved to: "EX_" or "TR_" + code + ".pdf"; for a
// VAT number its nation, "_", the number proper and ".pdf".
QString NomePdfPagina(const QString& tipo, const QString& codice);

// How long the file routines keep trying: (n + 1) x 5 seconds.
std::chrono::milliseconds LimiteTentativi(int n);

// Deletes a file, trying again (letting events through) until it is gone or
// `limite` has passed. True when the file no longer exists.
bool CancellaFile(const QString& percorso, std::chrono::milliseconds limite);

// Renames `origine` to `destinazione` (an existing destination is deleted
// first), waiting for the source to appear and trying again until it
// succeeds or `limite` has passed. False when it gave up: the file keeps its
// name.
bool RinominaFile(const QString& origine, const QString& destinazione, std::chrono::milliseconds limite);

} // namespace qv
