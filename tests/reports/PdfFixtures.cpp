#include "PdfFixtures.h"

#include "SortidaImpressio.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace PdfFixtures {

namespace {
QString executa(const QString& programa, const QStringList& args)
{
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

// TORVANEL_KEEP_PDF=1 keeps the folders, to look at the documents.
CarpetaPdf::CarpetaPdf()
{
    dir_.setAutoRemove(qEnvironmentVariableIntValue("TORVANEL_KEEP_PDF") == 0);
    SortidaImpressio::setCarpetaProves(dir_.path());
}

QStringList CarpetaPdf::fitxers() const
{
    QStringList out;
    QDir d(dir_.path());
    for (const QString& f : d.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name)) out << d.filePath(f);
    return out;
}

QStringList CarpetaPdf::tots() const
{
    QStringList out;
    QDir d(dir_.path());
    for (const QString& f : d.entryList(QDir::Files | QDir::Hidden, QDir::Name)) out << d.filePath(f);
    return out;
}

QString CarpetaPdf::unic() const
{
    const QStringList f = fitxers();
    return f.size() == 1 ? f.first() : QString();
}

static QString info(const QString& pdf, const QString& camp)
{
    const QString out = executa(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral("^") + camp + QStringLiteral(":\\s*(.*)$"),
                                      QRegularExpression::MultilineOption)
                       .match(out);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

int pagines(const QString& pdf) { return info(pdf, QStringLiteral("Pages")).toInt(); }

QSizeF midaPagina(const QString& pdf)
{
    const auto m = QRegularExpression(QStringLiteral("([\\d.]+) x ([\\d.]+)")).match(info(pdf, QStringLiteral("Page size")));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString text(const QString& pdf, int pagina)
{
    QStringList args{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (pagina > 0)
        args << QStringLiteral("-f") << QString::number(pagina) << QStringLiteral("-l") << QString::number(pagina);
    args << pdf << QStringLiteral("-");
    // Compatibility form: the typographic ligatures ("fi") read as letters.
    return executa(QStringLiteral("pdftotext"), args).normalized(QString::NormalizationForm_KC);
}

QList<PaginaParaules> paraules(const QString& pdf)
{
    const QString xml = executa(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression element(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                       "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PaginaParaules> out;
    for (auto it = element.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            out.append({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (!out.isEmpty()) {
            QString t = m.captured(7);
            t.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
            t.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            const QPointF a(m.captured(3).toDouble(), m.captured(4).toDouble());
            const QPointF b(m.captured(5).toDouble(), m.captured(6).toDouble());
            out.last().paraules.append({QRectF(a, b), t.normalized(QString::NormalizationForm_KC)});
        }
    }
    return out;
}

bool enOrdre(const QString& text, const QStringList& parts, QString* falta)
{
    qsizetype desde = 0;
    for (const QString& p : parts) {
        const qsizetype i = text.indexOf(p, desde);
        if (i < 0) {
            if (falta) *falta = p;
            return false;
        }
        desde = i + p.size();
    }
    return true;
}

QString falta(const QString& text, const QStringList& parts)
{
    QString part;
    return enOrdre(text, parts, &part) ? QString() : QStringLiteral("'%1' missing in:\n%2").arg(part, text);
}

void ProvaDocument::init()
{
    SeamedTest::init();
    folder_ = std::make_unique<TestSupport::ProgramFolder>();
    folder_->openDatabases();
    carpeta_ = std::make_unique<CarpetaPdf>();
}

void ProvaDocument::cleanup()
{
    SeamedTest::cleanup();
    carpeta_.reset();
    folder_.reset();
}

} // namespace PdfFixtures
