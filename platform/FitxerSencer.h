#pragma once
// A file that is there whole or not at all. Its bytes go to a hidden
// temporary file of ours in the target's folder (".Torvanel-XXXXXX.part");
// every write is checked (what a short write left is written again, and a
// write that fails keeps the system's reason), and desa() syncs the file to
// the disk, closes it and renames it into place, then syncs the folder. Any
// failure before the rename removes the temporary file; once renamed the file
// stays, and a folder that cannot be synced is only a line in the log.
// Temporary files of ours that a killed program left behind (and the database
// engine's journal beside one) are removed at start, and once they are half
// an hour old the next time a file is written in their folder.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

class FitxerSencer : public QIODevice {
public:
    explicit FitxerSencer(const QString& desti);
    // Unless saved, the temporary file goes.
    ~FitxerSencer() override;
    FitxerSencer(const FitxerSencer&) = delete;
    FitxerSencer& operator=(const FitxerSencer&) = delete;

    // Creates the temporary file and opens the device for writing.
    bool obre();
    // Writes what is left, syncs, closes and renames the file into place.
    // False when any of it (or any write before) failed: nothing is left.
    bool desa();
    // Drops what was written (nothing once saved).
    void descarta();

    QString desti() const { return desti_; }
    // The folder the file goes to, and the system's reason of the first
    // failure ("" when none).
    QString carpeta() const;
    QString motiu() const;

    bool isSequential() const override { return true; }

    // A file written by someone else (the database engine) in a temporary
    // file of ours: creates that empty file in `carpeta` and returns its
    // path, or "" with the system's reason in `motiu`.
    static QString creaTemporal(const QString& carpeta, QString* motiu);
    // Syncs such a temporary file, renames it to `desti` and syncs the
    // folder. On failure it is removed and the system's reason given.
    static bool posaAlLloc(const QString& temporal, const QString& desti, QString* motiu);

    // At start, when no other copy of the program writes in these folders:
    // removes every temporary file of ours left in them, and its journal,
    // whatever their age. What cannot be removed is passed over.
    static void esborraTotesLesRestes(const QStringList& carpetes);

    // Tests: every file written from now on fails after this many bytes as on
    // a full disk (-1: never).
    static void setFallaDespresDe(qint64 bytes);
    // Tests: syncing a folder fails with this system error from now on (0:
    // as the system answers).
    static void setFallaSincronitzaCarpeta(int err);

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override;

private:
    bool buida();
    bool falla(int err);

    QString desti_;
    QString temporal_;
    int fd_ = -1;
    int error_ = 0;
    qint64 escrits_ = 0;
    QByteArray pendent_;
};
