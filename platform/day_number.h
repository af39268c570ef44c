#pragma once
// Day numbers: the platform's date serial, days counted from 30 December
// 1899 with the time of day as the fraction. The archive stores dates this
// way and SQL date conditions compare them as plain numbers.

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace qv::platform {

inline const QDate kDayZero{1899, 12, 30};

double dayNumber(const QDate& date);
double dayNumber(const QDateTime& dateTime);
// Before day zero the integer part counts days backwards while the fraction
// still runs forward from midnight (-1.25 is 29 December 1899, 06:00).
QDateTime dateTimeFromDayNumber(double serial);
QDate dateFromDayNumber(double serial);

// A date typed or stored as text, the way the program's users write it:
// day/month/year (two- or four-digit year, optional time), or ISO form.
std::optional<double> dayNumberFromText(const QString& text);

} // namespace qv::platform
