#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

namespace {

// Files are UTF-8, or what their byte-order mark says (a file saved as UTF-16
// by an editor); one edited by hand in a legacy 8-bit encoding is read as
// Latin-1 so that no character is lost when a key is written back. A UTF-8
// mark says nothing more: what follows it is read as the same file without
// the mark would be.
QString decode(QByteArray bytes)
{
    static const QByteArray marcaUtf8("\xEF\xBB\xBF");
    if (bytes.startsWith(marcaUtf8)) bytes.remove(0, marcaUtf8.size());
    QString text;
    if (const auto marca = QStringConverter::encodingForData(bytes)) {
        text = QStringDecoder(*marca).decode(bytes);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(bytes);
        if (utf8.hasError()) text = QString::fromLatin1(bytes);
    }
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

QStringList readLines(const QString& path, bool* exists)
{
    QFile f(path);
    *exists = f.exists();
    if (!f.open(QIODevice::ReadOnly)) {
        if (*exists) *exists = false;
        return {};
    }
    QString text = decode(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

bool sectionHeader(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (t.startsWith(u'[') && t.contains(u']')) {
        *name = t.mid(1, t.indexOf(u']') - 1).trimmed();
        return true;
    }
    return false;
}

bool keyLine(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#')) return false;
    int eq = t.indexOf(u'=');
    if (eq <= 0) return false;
    *key = t.left(eq).trimmed();
    *value = t.mid(eq + 1);
    return true;
}

QString unquote(QString v)
{
    v = v.trimmed();
    if (v.size() >= 2 && ((v.startsWith(u'"') && v.endsWith(u'"')) || (v.startsWith(u'\'') && v.endsWith(u'\''))))
        v = v.mid(1, v.size() - 2);
    return v;
}

// The lines of every section of that name, headers left out.
QStringList sectionLines(const QString& path, const QString& section)
{
    bool exists = false;
    const QStringList lines = readLines(path, &exists);
    QStringList out;
    bool in = false;
    for (const QString& line : lines) {
        QString name;
        if (sectionHeader(line, &name))
            in = name.compare(section, Qt::CaseInsensitive) == 0;
        else if (in)
            out << line;
    }
    return out;
}

} // namespace

namespace IniFile {

FileState check(const QString& path, QString* systemError)
{
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) return FileState::Absent;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (systemError) *systemError = f.errorString();
        return FileState::CannotOpen;
    }
    const QString text = decode(f.readAll());
    if (text.contains(QChar(0))) return FileState::NotText;
    qsizetype control = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\v' && u != u'\f' && u != u'\r') || (u >= 0x7f && u <= 0x9f))
            ++control;
    }
    return control * 20 > text.size() ? FileState::NotText : FileState::Text;
}

QList<QPair<QString, QString>> sectionEntries(const QString& path, const QString& section)
{
    QList<QPair<QString, QString>> out;
    for (const QString& line : sectionLines(path, section)) {
        QString key, value;
        if (keyLine(line, &key, &value)) out.append({key, unquote(value)});
    }
    return out;
}

QStringList sectionNames(const QString& path)
{
    bool exists = false;
    QStringList out;
    for (const QString& line : readLines(path, &exists)) {
        QString name;
        if (sectionHeader(line, &name)) out << name;
    }
    return out;
}

QString read(const QString& path, const QString& section, const QString& key, const QString& def)
{
    const auto entries = sectionEntries(path, section);
    for (const auto& e : entries) {
        if (e.first.compare(key, Qt::CaseInsensitive) == 0) {
            QString v = e.second.left(199);
            return v.isEmpty() ? def : v;
        }
    }
    return def;
}

QString readSection(const QString& path, const QString& section)
{
    QString out;
    for (const QString& line : sectionLines(path, section)) {
        QString key, value;
        if (keyLine(line, &key, &value)) {
            out += key + u'=' + unquote(value) + QChar(0);
        } else {
            const QString t = line.trimmed();
            if (!t.isEmpty() && !t.startsWith(u';') && !t.startsWith(u'#')) out += t + QChar(0);
        }
    }
    return out;
}

bool write(const QString& path, const QString& section, const QString& key, const QString& value)
{
    // A line break would split the entry and plant other lines in the file;
    // a key or section that the reader would not take for one is refused too.
    static const auto breaksLine = [](const QString& t) { return t.contains(u'\n') || t.contains(u'\r'); };
    const QString trimmedKey = key.trimmed();
    if (breaksLine(section) || breaksLine(key) || breaksLine(value) || trimmedKey.isEmpty() || trimmedKey != key
        || key.contains(u'=') || key.startsWith(u';') || key.startsWith(u'#') || key.startsWith(u'[')
        || section.trimmed().isEmpty() || section.contains(u']'))
        return false;
    bool exists = false;
    QStringList lines = readLines(path, &exists);
    if (!exists && QFileInfo::exists(path))
        return false; // present but unreadable: never overwrite what we cannot read
    QString stored = value;
    if (stored != stored.trimmed() || (stored.size() >= 2 && (stored.startsWith(u'"') || stored.startsWith(u'\''))))
        stored = u'"' + stored + u'"';
    const QString newLine = key + u'=' + stored;

    int sectionStart = -1, insertAt = -1;
    bool done = false;
    for (int i = 0; i < lines.size() && !done; ++i) {
        QString name, k, v;
        if (sectionHeader(lines[i], &name)) {
            if (sectionStart >= 0) break;
            if (name.compare(section, Qt::CaseInsensitive) == 0) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart >= 0) {
            if (keyLine(lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = k + u'=' + stored; // keep the key's own spelling
                done = true;
            } else if (!lines[i].trimmed().isEmpty()) {
                insertAt = i + 1;
            }
        }
    }
    if (!done) {
        if (sectionStart < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(QString());
            lines.append(u'[' + section + u']');
            lines.append(newLine);
        } else {
            lines.insert(insertAt, newLine);
        }
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray data = (lines.join(u'\n') + u'\n').toUtf8();
    if (f.write(data) != data.size()) { f.cancelWriting(); return false; }
    return f.commit();
}

} // namespace IniFile
