#include "gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quor {

QByteArray encodeGbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString decodeGbk(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

int gbkByteLength(const QString &text)
{
    int length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            length += 1;
        } else {
            length += 2;
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i; // one character, not two
        }
    }
    return length;
}

} // namespace quor
