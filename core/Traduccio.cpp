#include "Traduccio.h"

#include "Controls.h"
#include "Database.h"
#include "Globals.h"

#include <QFile>
#include <QHash>
#include <QTextStream>
#include <optional>

namespace {

struct Taula {
    bool loaded = false;
    // key: language (case-folded) + '\x1f' + text (case-folded)
    QHash<QString, std::optional<QString>> rows;
};
Taula& taula()
{
    static Taula t;
    return t;
}

QString key(const QString& idioma, const QString& text)
{
    return idioma.toCaseFolded() + QChar(0x1f) + text.toCaseFolded();
}

QString withoutTrailingSpaces(const QString& s)
{
    int n = s.size();
    while (n > 0 && s.at(n - 1) == u' ') --n;
    return s.left(n);
}

} // namespace

void carregaTraduccions(Db& db)
{
    Taula fresh;
    QSqlQuery q = db.query(QStringLiteral("SELECT Texte, Idioma, TexteTraduit FROM Ztraduccio ORDER BY rowid"));
    while (q.next()) {
        const QString k = key(q.value(1).toString(), withoutTrailingSpaces(q.value(0).toString()));
        if (fresh.rows.contains(k)) continue;
        const QVariant t = q.value(2);
        fresh.rows.insert(k, t.isNull() ? std::nullopt : std::optional<QString>(t.toString()));
    }
    fresh.loaded = true;
    taula() = std::move(fresh);
    posaTraduccioControls(&Tradueix);
    posaTraduccioBD(&Tradueix);
}

void descarregaTraduccions()
{
    taula() = Taula();
}

QString Tradueix(const QString& text)
{
    const Taula& t = taula();
    if (!t.loaded) return text;
    auto it = t.rows.constFind(key(G.Idioma, withoutTrailingSpaces(text)));
    if (it == t.rows.constEnd() || !it->has_value()) return text;
    return **it;
}

QString Pregunta(const QString& paraules, const QString& forma)
{
    return Tradueix(forma).arg(paraules);
}

static QString unescape(const QString& s)
{
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            QChar c = s[++i];
            out += c == u't' ? QChar(u'\t') : c == u'n' ? QChar(u'\n') : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

void importaTextos(Db& db, const QStringList& sources)
{
    Transaction t(db);
    for (const QString& path : sources) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("cannot read %1").arg(path));
        QTextStream in(&f);
        in.setEncoding(QStringConverter::Utf8);
        int lineNo = 0;
        while (!in.atEnd()) {
            const QString line = in.readLine();
            ++lineNo;
            if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
            const QStringList fields = line.split(u'\t');
            if (fields.size() != 3)
                throw DbError(QStringLiteral("%1:%2: expected three tab-separated fields").arg(path).arg(lineNo));
            QString text = unescape(fields[0]);
            while (text.endsWith(u' ')) text.chop(1);
            static const char* const langs[] = {"CT", "ES", "EN"};
            for (int l = 0; l < 3; ++l)
                db.cached(QStringLiteral("INSERT INTO Ztraduccio (Texte, Idioma, TexteTraduit) VALUES (?, ?, ?)"),
                          {text, QString::fromLatin1(langs[l]), unescape(fields[l])});
        }
    }
    t.commit();
}
