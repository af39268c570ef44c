#pragma once
// The windows the desktop program opens for one another, registered with
// the opener of the program context: the one place that knows them all.

namespace qv {

class ContestoDesktop;

void RegistraFinestre(ContestoDesktop& contesto);

} // namespace qv
