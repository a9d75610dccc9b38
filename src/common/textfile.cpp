#include "textfile.h"

#include "gbk.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace quor {

QString decodeText(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    return decodeGbk(data);
}

std::optional<QString> readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeText(file.readAll());
}

QStringList splitLines(const QString &text)
{
    QString normalized = text;
    normalized.replace("\r\n"_L1, "\n"_L1).replace(u'\r', u'\n');
    QStringList lines = normalized.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool writeTextFile(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + "\r\n"_L1;
    return writeTextFile(path, text);
}

} // namespace quor
