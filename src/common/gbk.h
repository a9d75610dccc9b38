#pragma once

#include <QByteArray>
#include <QString>

namespace quor {

// GBK (code page 936) is the code page of files written by older installations
// and of the byte widths that text slips are laid out by.
QByteArray encodeGbk(const QString &text);
QString decodeGbk(const QByteArray &bytes);

// Width of a text in GBK bytes: 1 for an ASCII character, 2 for any other
// (a Chinese character, a full-width sign).
int gbkByteLength(const QString &text);

} // namespace quor
