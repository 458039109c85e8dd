#include "FitxerSencer.h"

#include "Clock.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
qint64 g_fallaDespresDe = -1;
int g_fallaCarpeta = 0;

constexpr qint64 MidaMemoria = 16 * 1024;   // bytes kept before they are written
constexpr int MinutsRestes = 30;            // age past which a temporary file of ours is a leftover

QString motiuSistema(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

QString carpetaDe(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

// Our temporary files, and the journal the database engine keeps beside one
// while it writes into it: hidden regular files of exactly these names.
bool esRestaNostra(const QFileInfo& f)
{
    static const QRegularExpression nostre(QStringLiteral("^\\.Torvanel-[A-Za-z0-9]{6}\\.part(-journal)?$"));
    return f.isFile() && !f.isSymLink() && nostre.match(f.fileName()).hasMatch();
}

// Leftovers of a program killed while it wrote: our files in the folder last
// changed before `limit`, or all of them when `limit` is not valid. A file
// that cannot be removed is left as it is.
void esborraRestes(const QString& carpeta, const QDateTime& limit)
{
    const QDir dir(carpeta);
    const QStringList noms{QStringLiteral(".Torvanel-*.part"), QStringLiteral(".Torvanel-*.part-journal")};
    for (const QFileInfo& f : dir.entryInfoList(noms, QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (esRestaNostra(f) && (!limit.isValid() || f.lastModified() < limit))
            ::unlink(QFile::encodeName(f.absoluteFilePath()).constData());
    }
}

// A new temporary file of ours in the folder, open for writing with the
// permissions a new file gets there; -1 with errno set when it cannot be made.
// Files of ours older than MinutsRestes go first (one being written now is
// younger).
int creaFd(const QString& carpeta, QString* path)
{
    esborraRestes(carpeta, Clock::now().addSecs(-60 * MinutsRestes));
    QByteArray plantilla = QFile::encodeName(QDir(carpeta).filePath(QStringLiteral(".Torvanel-XXXXXX.part")));
    const int fd = ::mkostemps(plantilla.data(), 5, O_CLOEXEC);
    if (fd < 0) return -1;
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    ::fchmod(fd, 0666 & ~mascara);
    *path = QFile::decodeName(plantilla);
    return fd;
}

// Syncs the folder, so the rename done in it lasts. 0 or errno.
int sincronitzaCarpeta(const QString& carpeta)
{
    if (g_fallaCarpeta != 0) return g_fallaCarpeta;
    const int fd = ::open(QFile::encodeName(carpeta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int err = ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    return err;
}

// Renames the synced temporary file into place and syncs the folder. 0 or
// errno of the rename, which leaves neither name. Once renamed the file is
// whole under its name and stays: a folder that cannot be synced (one that
// can be written but not read) is a line in the log, and a file system that
// cannot sync a folder at all (EINVAL) has nothing more to do.
int reanomena(const QString& temporal, const QString& desti)
{
    const QByteArray nou = QFile::encodeName(desti);
    if (::rename(QFile::encodeName(temporal).constData(), nou.constData()) != 0) {
        const int err = errno;
        ::unlink(QFile::encodeName(temporal).constData());
        return err;
    }
    const QString carpeta = carpetaDe(desti);
    const int err = sincronitzaCarpeta(carpeta);
    if (err != 0 && err != EINVAL)
        qWarning().noquote() << QStringLiteral("Torvanel: %1 is saved, but its folder %2 could not be synced: %3")
                                    .arg(QDir::toNativeSeparators(desti), carpeta, motiuSistema(err));
    return 0;
}
} // namespace

FitxerSencer::FitxerSencer(const QString& desti) : desti_(QFileInfo(desti).absoluteFilePath()) {}

FitxerSencer::~FitxerSencer()
{
    descarta();
}

QString FitxerSencer::carpeta() const
{
    return carpetaDe(desti_);
}

QString FitxerSencer::motiu() const
{
    return error_ == 0 ? QString() : motiuSistema(error_);
}

bool FitxerSencer::obre()
{
    if (isOpen()) return error_ == 0;
    error_ = 0;
    escrits_ = 0;
    pendent_.clear();
    fd_ = creaFd(carpeta(), &temporal_);
    if (fd_ < 0) return falla(errno);
    pendent_.reserve(MidaMemoria);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 FitxerSencer::writeData(const char* data, qint64 len)
{
    if (error_ != 0 || fd_ < 0) return -1;
    pendent_.append(data, len);
    if (pendent_.size() >= MidaMemoria && !buida()) return -1;
    return len;
}

bool FitxerSencer::buida()
{
    const char* p = pendent_.constData();
    qint64 queda = pendent_.size();
    while (queda > 0) {
        qint64 n = queda;
        if (g_fallaDespresDe >= 0) n = qMin(n, g_fallaDespresDe - escrits_);
        if (n <= 0) return falla(ENOSPC);
        const ssize_t escrit = ::write(fd_, p, size_t(n));
        if (escrit < 0 && errno == EINTR) continue;
        if (escrit < 0) return falla(errno);
        if (escrit == 0) return falla(ENOSPC);
        // A short write: the rest goes in the next turn, whose failure tells why.
        escrits_ += escrit;
        p += escrit;
        queda -= escrit;
    }
    pendent_.clear();
    return true;
}

bool FitxerSencer::falla(int err)
{
    if (error_ == 0) error_ = err;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporal_.isEmpty()) ::unlink(QFile::encodeName(temporal_).constData());
    temporal_.clear();
    pendent_.clear();
    return false;
}

bool FitxerSencer::desa()
{
    if (error_ == 0 && fd_ < 0) falla(EBADF);
    if (error_ == 0 && buida() && ::fsync(fd_) != 0) falla(errno);
    if (error_ == 0 && ::close(std::exchange(fd_, -1)) != 0) falla(errno);
    if (error_ == 0) {
        const int err = reanomena(std::exchange(temporal_, QString()), desti_);
        if (err != 0) falla(err);
    }
    const bool desat = error_ == 0;
    descarta();
    return desat;
}

void FitxerSencer::descarta()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporal_.isEmpty()) ::unlink(QFile::encodeName(temporal_).constData());
    temporal_.clear();
    pendent_.clear();
    if (isOpen()) QIODevice::close();
}

QString FitxerSencer::creaTemporal(const QString& carpeta, QString* motiu)
{
    QString path;
    const int fd = creaFd(carpeta, &path);
    if (fd < 0) {
        if (motiu) *motiu = motiuSistema(errno);
        return QString();
    }
    ::close(fd);
    return path;
}

bool FitxerSencer::posaAlLloc(const QString& temporal, const QString& desti, QString* motiu)
{
    const QByteArray nom = QFile::encodeName(temporal);
    int err = 0;
    if (g_fallaDespresDe >= 0 && QFileInfo(temporal).size() > g_fallaDespresDe) err = ENOSPC;
    if (err == 0) {
        const int fd = ::open(nom.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            err = errno;
        } else {
            if (::fsync(fd) != 0) err = errno;
            if (::close(fd) != 0 && err == 0) err = errno;
        }
    }
    if (err == 0) err = reanomena(temporal, desti);
    else ::unlink(nom.constData());
    if (err != 0 && motiu) *motiu = motiuSistema(err);
    return err == 0;
}

void FitxerSencer::esborraTotesLesRestes(const QStringList& carpetes)
{
    QStringList fetes;
    for (const QString& carpeta : carpetes) {
        if (carpeta.isEmpty()) continue;
        const QString c = QFileInfo(carpeta).absoluteFilePath();
        if (fetes.contains(c)) continue;
        fetes << c;
        esborraRestes(c, QDateTime());
    }
}

void FitxerSencer::setFallaDespresDe(qint64 bytes) { g_fallaDespresDe = bytes; }

void FitxerSencer::setFallaSincronitzaCarpeta(int err) { g_fallaCarpeta = err; }
