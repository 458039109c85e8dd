#pragma once
// Sectioned settings file (lines key=value under [section] headings).
// Section and key names are matched without regard to case; writing a key
// keeps every other line of the file as it was.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace IniFile {

// Whether a file can be read as a settings file. Absent: there is no file of
// that name (nothing, or a folder). CannotOpen: it does not open for reading
// (`systemError` says why). NotText: it holds a NUL character, or more than
// one character in twenty is a control character other than the tab and the
// line and page breaks (a binary file; a text with a few stray characters
// still reads as text).
enum class FileState { Absent, Text, CannotOpen, NotText };
FileState check(const QString& path, QString* systemError = nullptr);

// Value of a key without the blanks around it and without one enclosing pair
// of single or double quotes (so "-> " keeps its space), at most 199
// characters; `def` when the file, section or key is missing or the value empty.
QString read(const QString& path, const QString& section, const QString& key, const QString& def);

// Every entry of the section, each followed by a NUL ('\0'); "" when absent.
// An entry is a key=value line, or a line that is no key, comment or blank
// (the language list's "(ES) Español"), without the blanks around it.
QString readSection(const QString& path, const QString& section);
// The same as (key, value) pairs, values unquoted as read() gives them.
QList<QPair<QString, QString>> sectionEntries(const QString& path, const QString& section);
// The names of the file's sections in file order; none when the file is
// missing, empty or holds no [section] heading.
QStringList sectionNames(const QString& path);

// Sets the key (creating the file and the section when missing) and saves the
// file atomically. True only when the file was really written.
bool write(const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace IniFile
