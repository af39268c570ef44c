#pragma once
// Enquiry codes and addresses: what an acceptable MRN or VAT number looks
// like, the messages a code is rejected with, and the addresses a code is
// looked up at.

#include "enquiry/stato_web.h"
#include "shell/elenco_nazioni.h"

#include <QString>
#include <QStringList>

namespace qv {

// Default address parts (section "INDIRIZZIWEB"). The Customs Agency's host
// serves both MRN pages, the Revenue Agency's host the VIES page.
inline constexpr const char* HostDogane = "www.adm.gov.it";
inline constexpr const char* HostEntrate = "www1.agenziaentrate.gov.it";
QString UrlExportPredefinito();   // "http://" + HostDogane + "/ed/servizi/esportazione/export.htm?mrn="
QString UrlTransitiPredefinito(); // "http://" + HostDogane + "/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn="
QString UrlVatPredefinito();      // "http://" + HostEntrate + "/servizi/vies/vies.htm?act=piva&stato="
QString UrlVatPivaPredefinito();  // "&piva="

// The code kind: fewer than 18 characters is a VAT number, else an MRN.
bool ECodiceVat(const QString& codice);

// An MRN's kind, from its 17th character as given (case-sensitive): "E"
// export, "T" transit; Nessuno for a shorter code or any other character.
enum class TipoMrn { Nessuno, Esportazione, Transito };
TipoMrn tipoMrn(const QString& codice);

// Empty when the MRN is acceptable, otherwise the rejection message. The
// length is checked on the MRN without its blanks, the kind on character 17
// of the MRN as given (case-sensitive).
QString ControllaMrn(const QString& mrn);

// Empty when the VAT number is acceptable for the nation list, otherwise the
// rejection message: empty code, unknown nation, wrong length.
QString ControllaVat(const QString& vat, const ElencoNazioni& nazioni);

// Addresses of one enquiry; the code is appended as given, unescaped.
QString IndirizzoExport(const StatoWeb& web, const QString& mrn);
QString IndirizzoTransito(const StatoWeb& web, const QString& mrn);
QString IndirizzoVat(const StatoWeb& web, const QString& vat);

// Loads the four address parts; a missing or blank key gets its default.
void LeggiIndirizziWeb(const QString& fileIni, StatoWeb& web);

// Seconds a request may wait for its answer ("INDIRIZZIWEB"/"ATTESA"): a
// whole number from 1 to 3600; anything else (missing, blank, 0) gives 60.
int LeggiSecondiAttesa(const QString& fileIni);

// After every enquiry the cache entries of the code's addresses are dropped
// (the export address always, the transit one for a transit MRN). Requests
// here never read or write a cache, so there is nothing to remove: the call
// stays where the enquiry makes it and returns the addresses it covers, which
// is what a cache would need.
QStringList CancellaCacheUrl(const StatoWeb& web, const QString& codice);

} // namespace qv
