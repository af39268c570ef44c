#pragma once
// The page window as the enquiry sees it: each page the options send to
// the program's own window is shown there, modally over the window that
// ran the enquiry.

#include "enquiry/finestra_pagina.h"

namespace qv {

struct ContestoFinestre;
struct StatoWeb;

class PaginaWebDesktop : public FinestraPagina {
public:
    PaginaWebDesktop(ContestoFinestre& contesto, const StatoWeb& web) : contesto_(contesto), web_(web) {}
    bool mostraPagina(const QString& url, const QString& codice, const QString& tipo) override;

private:
    ContestoFinestre& contesto_;
    const StatoWeb& web_;
};

} // namespace qv
