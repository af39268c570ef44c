#pragma once
// The current folder, and the search window on a folder (the desktop's file
// manager here).

#include "platform/avviatore.h"

#include <QString>

namespace qv {

// Makes the path the current folder (drive included). False when it cannot.
bool CambiaCartella(const QString& percorso);

// The root of the drive that holds the current folder: its mount point.
QString RadiceCartellaCorrente();

// Opens the search window on the folder.
void CercaFile(Avviatore& avviatore, const QString& cartella);

} // namespace qv
