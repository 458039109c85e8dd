// Build-time tool: makes the empty main database (only when missing),
// rebuilds the translation database from the text sources and draws the
// program's icon (its logo) for the desktop entry.
//   torvanel-mkdb schema <file.db>
//   torvanel-mkdb translations <file.db> <source.tsv>...
//   torvanel-mkdb icon <file.png>
#include "Database.h"
#include "Esquema.h"
#include "Logo.h"
#include "Traduccio.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || (args[1] != u"schema" && args[1] != u"translations" && args[1] != u"icon")) {
        std::fprintf(stderr, "usage: torvanel-mkdb schema|translations <file.db> [sources...] | icon <file.png>\n");
        return 2;
    }
    const QString mode = args[1], target = args[2];
    if (mode == u"icon") return Logo::image(QSize(64, 64)).save(target, "PNG") ? 0 : 1;
    if (mode == u"schema" && QFileInfo::exists(target))
        return 0; // never touch a user's data
    const QString tmp = target + QStringLiteral(".tmp");
    try {
        QFile::remove(tmp);
        {
            auto db = Db::create(tmp);
            if (mode == u"schema") {
                creaEsquema(*db);
            } else {
                creaEsquemaTraduccio(*db);
                importaTextos(*db, args.mid(3));
            }
        }
        if (mode == u"translations") QFile::remove(target);
        if (!QFile::rename(tmp, target)) throw DbError(QStringLiteral("cannot move %1 into place").arg(tmp));
    } catch (const std::exception& e) {
        QFile::remove(tmp);
        std::fprintf(stderr, "torvanel-mkdb: %s\n", e.what());
        return 1;
    }
    return 0;
}
