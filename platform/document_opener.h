#pragma once
// Opening a document with the desktop's default program, as the shell's
// "open" verb does. An interface, so that tests can record instead of open.

#include <QString>

namespace qv::platform {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // False when no program could be started; never waits for it.
    virtual bool open(const QString& path) = 0;
};

// xdg-open on Linux and other Unix desktops, "open" on macOS, "start" on
// Windows; the program runs detached.
class SystemDocumentOpener : public DocumentOpener {
public:
    bool open(const QString& path) override;
};

} // namespace qv::platform
