#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quor {

// Text of a file that may be UTF-8 or GBK: valid UTF-8 (with or without a byte
// order mark) is read as UTF-8, anything else as GBK.
QString decodeText(const QByteArray &bytes);

std::optional<QString> readTextFile(const QString &path);

// Lines of a text, split at CR LF, LF or CR; a final line break adds no empty line.
QStringList splitLines(const QString &text);

// Writes UTF-8, replacing the file as a whole (a failed write leaves the old file).
bool writeTextFile(const QString &path, const QString &text);

// Lines joined with CR LF, each ended by one.
bool writeLines(const QString &path, const QStringList &lines);

} // namespace quor
