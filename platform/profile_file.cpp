#include "platform/profile_file.h"

#include "platform/ansi_text.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace qv::platform {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

struct IniText {
    QStringList lines;
    bool utf8 = false;
    QString lineEnd = QStringLiteral("\r\n");
};

IniText load(const QString& path) {
    IniText ini;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return ini;
    QByteArray bytes = f.readAll();
    if (bytes.startsWith(kUtf8Bom)) {
        ini.utf8 = true;
        bytes.remove(0, kUtf8Bom.size());
    }
    const QString text = ini.utf8 ? QString::fromUtf8(bytes) : fromAnsi(bytes);
    if (text.contains(QLatin1Char('\n')) && !text.contains(QLatin1String("\r\n")))
        ini.lineEnd = QStringLiteral("\n");
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ini.lines = normal.split(QLatin1Char('\n'));
    if (!ini.lines.isEmpty() && ini.lines.last().isEmpty())
        ini.lines.removeLast();
    return ini;
}

// The name of a "[section]" line, or a null string for any other line.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const int close = t.indexOf(QLatin1Char(']'));
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// Splits "key = value"; false for lines that hold no key.
bool keyLine(const QString& line, QString* key, QString* value) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('[')))
        return false;
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = t.left(eq).trimmed();
    if (value)
        *value = t.mid(eq + 1).trimmed();
    return true;
}

// Index of the first line of the section's body, or -1.
int findSection(const QStringList& lines, const QString& section) {
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = sectionName(lines[i]);
        if (!name.isNull() && name.compare(section, Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return -1;
}

int sectionEnd(const QStringList& lines, int body) {
    int i = body;
    while (i < lines.size() && sectionName(lines[i]).isNull())
        ++i;
    return i;
}

} // namespace

QString readProfileString(const QString& file, const QString& section, const QString& key, int size) {
    const IniText ini = load(file);
    const int body = findSection(ini.lines, section);
    if (body < 0)
        return {};
    const int end = sectionEnd(ini.lines, body);
    for (int i = body; i < end; ++i) {
        QString k, v;
        if (!keyLine(ini.lines[i], &k, &v) || k.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
            v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        return v.left(qMax(0, size - 1));
    }
    return {};
}

bool writeProfileString(const QString& file, const QString& section, const QString& key, const QString& value) {
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return false;
    IniText ini = load(file);
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString newLine = key + QLatin1Char('=') + clean;

    const int body = findSection(ini.lines, section);
    if (body < 0) {
        ini.lines << QLatin1Char('[') + section + QLatin1Char(']') << newLine;
    } else {
        const int end = sectionEnd(ini.lines, body);
        int lastKey = body - 1;
        bool replaced = false;
        for (int i = body; i < end && !replaced; ++i) {
            QString k;
            if (!keyLine(ini.lines[i], &k, nullptr))
                continue;
            lastKey = i;
            if (k.compare(key, Qt::CaseInsensitive) == 0) {
                ini.lines[i] = newLine;
                replaced = true;
            }
        }
        if (!replaced)
            ini.lines.insert(lastKey + 1, newLine);
    }

    const QString text = ini.lines.join(ini.lineEnd) + ini.lineEnd;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (ini.utf8)
        out.write(kUtf8Bom + text.toUtf8());
    else
        out.write(toAnsi(text));
    return out.commit();
}

} // namespace qv::platform
