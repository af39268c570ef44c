#pragma once
// What the upgrade and repair windows share: the log list ("List1") the
// core writes its lines and background into, and the file dialog of F4 on
// a database path.

#include "database/aggiorna_db.h"

#include <QString>

#include <functional>
#include <initializer_list>

class QEvent;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QObject;
class QPushButton;
class QWidget;

namespace qv {

// The log list of `finestra`, pale background as the core sets it.
QListWidget* CreaRegistro(QWidget* finestra);

// The core's output into `registro`: lines, background, events let through
// after each line so that the list repaints.
UscitaAggiornamento UscitaSuRegistro(QListWidget* registro);

// F4 on a database path: title `titolo`, "File di Access (*.MDB)", default
// extension ".mdb", proposed name "*.mdb". "" when cancelled.
using SceltaDataBase = std::function<QString(QWidget* sopra, const QString& titolo)>;
QString ScegliDataBase(QWidget* sopra, const QString& titolo);

// For a window's event filter: F4 in a path field opens `scelta`; a file
// chosen replaces the path. True when the key was F4 (taken).
bool SceltaConF4(QObject* oggetto, QEvent* evento, QWidget* finestra, const SceltaDataBase& scelta,
                 const QString& titolo);

// A window's bottom row of buttons, to the right; Enter never presses them by default.
QHBoxLayout* RigaPulsanti(std::initializer_list<QPushButton*> pulsanti);

} // namespace qv
