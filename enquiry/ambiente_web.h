#pragma once
// What an enquiry works with besides the program-wide StatoWeb: the
// configuration file, the nation list, the HTTP client, the message
// interface and the two optional seams. Everything is owned elsewhere and
// must outlive the GetHtmPage objects built on it.

#include <QString>

namespace qv {

namespace platform {
class DocumentOpener;
class HttpClient;
} // namespace platform

class FileAperti;
class FinestraPagina;
class Messaggi;
struct ElencoNazioni;

struct AmbienteWeb {
    QString fileIni;                                  // markers are read here at every extraction
    const ElencoNazioni* nazioni = nullptr;           // none: every VAT nation is unknown
    platform::HttpClient* http = nullptr;             // none: every request fails (no connection)
    Messaggi* messaggi = nullptr;                     // none: extraction failures are not shown
    FinestraPagina* finestraPagina = nullptr;         // none: the page window step is skipped
    platform::DocumentOpener* apriDocumento = nullptr; // none: a page file is written but not opened
    FileAperti* fileAperti = nullptr;                  // none: page files use a table of their own
};

} // namespace qv
