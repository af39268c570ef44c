#pragma once
// The message interface shown as real message boxes: the program's titles,
// icons, buttons (with their Italian captions) and default button.

#include "shell/messaggi.h"

namespace qv {

class MessaggiFinestra : public Messaggi {
public:
    Risposta mostra(const Messaggio& m) override;
    using Messaggi::mostra;
};

} // namespace qv
