#pragma once

#include <QByteArray>
#include <QString>

// File names on their way between the file system and QString. On Linux a
// name is a string of bytes; one that is not UTF-8 does not survive being
// decoded (each odd byte becomes U+FFFD), and the decoded text then names
// another file, or none. Such names are refused instead of being followed
// to the wrong file.
namespace FileNames {

// Whether the name `raw`, as the system gave it (a command-line argument),
// comes through QString unchanged.
bool isFaithful(const QByteArray& raw);

// Whether `name`, as a file dialog returned it, can only mean the file it
// spells: false when a folder on its way holds an entry whose bytes are not
// UTF-8 but which reads as the same text, so that the user may have chosen
// that one.
bool isUnambiguous(const QString& name);

} // namespace FileNames
