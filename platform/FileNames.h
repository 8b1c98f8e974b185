#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>

// File names on their way between the file system and QString. On Linux a
// name is a string of bytes; one that is not UTF-8 does not survive being
// decoded (each odd byte becomes U+FFFD), and the decoded text then names
// another file, or none. Such names are refused instead of being followed
// to the wrong file.
namespace FileNames {

// The name as the file system API takes it: UTF-16 on Windows, the UTF-8
// bytes elsewhere.
inline std::filesystem::path toPath(const QString& name)
{
    return std::filesystem::path(name.toStdU16String());
}

// Whether the name `raw`, as the system gave it (a command-line argument),
// comes through QString unchanged.
bool isFaithful(const QByteArray& raw);

// Whether `name`, as a file dialog returned it, can only mean the file it
// spells: false when a folder on its way holds an entry whose bytes are not
// UTF-8 but which reads as the same text, so that the user may have chosen
// that one.
bool isUnambiguous(const QString& name);

} // namespace FileNames
