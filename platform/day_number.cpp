#include "platform/day_number.h"

#include <QRegularExpression>
#include <QTime>

#include <cmath>

namespace qv::platform {

double dayNumber(const QDate& date) { return static_cast<double>(kDayZero.daysTo(date)); }

namespace {
// A date and a time of day as written, with no time zone: a QDateTime in
// local time would look at the zone files for every value read.
double dayNumberOf(const QDate& date, const QTime& time) {
    const double days = dayNumber(date);
    const double fraction = time.msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + fraction : days - fraction;
}
} // namespace

double dayNumber(const QDateTime& dateTime) { return dayNumberOf(dateTime.date(), dateTime.time()); }

QDateTime dateTimeFromDayNumber(double serial) {
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    const QDate date = kDayZero.addDays(static_cast<qint64>(whole));
    const auto msecs = static_cast<int>(std::llround(fraction * 86400000.0));
    return QDateTime(date, QTime(0, 0).addMSecs(std::min(msecs, 86399999)));
}

QDate dateFromDayNumber(double serial) { return dateTimeFromDayNumber(serial).date(); }

std::optional<double> dayNumberFromText(const QString& text) {
    static const QRegularExpression dmy(
        QStringLiteral(R"(^\s*(\d{1,2})[/.-](\d{1,2})[/.-](\d{2}|\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    static const QRegularExpression iso(
        QStringLiteral(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    int day = 0, month = 0, year = 0;
    QRegularExpressionMatch m = dmy.match(text);
    if (m.hasMatch()) {
        day = m.captured(1).toInt();
        month = m.captured(2).toInt();
        year = m.captured(3).toInt();
        // Two-digit years follow the platform's window: 00-29 is 2000-2029.
        if (m.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900;
    } else {
        m = iso.match(text);
        if (!m.hasMatch())
            return std::nullopt;
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (!m.captured(4).isEmpty()) {
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (!time.isValid())
            return std::nullopt;
    }
    return dayNumberOf(date, time);
}

} // namespace qv::platform
