#include "fakemessages.h"

template<typename T>
static T takeOr(QList<T> &queue, const T &fallback, int &unscripted)
{
    if (queue.isEmpty()) {
        ++unscripted;
        return fallback;
    }
    return queue.takeFirst();
}

QStringList FakeMessages::texts() const
{
    QStringList result;
    for (const Entry &e : entries)
        result.append(e.text);
    return result;
}

QStringList FakeMessages::messages() const
{
    QStringList result;
    for (const Entry &e : entries) {
        if (e.kind == Kind::Message)
            result.append(e.text);
    }
    return result;
}

QStringList FakeMessages::opened() const
{
    QStringList result;
    for (const Entry &e : entries) {
        if (e.kind == Kind::OpenExternal)
            result.append(e.text);
    }
    return result;
}

void FakeMessages::clear()
{
    entries.clear();
    unscripted = 0;
}

void FakeMessages::showMessage(const QString &text, quor::MessageIcon icon)
{
    entries.append({Kind::Message, text, {}, icon});
}

bool FakeMessages::askYesNo(const QString &text, quor::MessageIcon icon)
{
    entries.append({Kind::YesNo, text, {}, icon});
    return takeOr(yesNo, true, unscripted);
}

std::optional<QString> FakeMessages::inputText(const QString &caption, const QString &prompt, const QString &)
{
    entries.append({Kind::Input, prompt, caption});
    return takeOr(inputs, std::optional<QString>(), unscripted);
}

QString FakeMessages::inputPassword(const QString &caption, const QString &prompt)
{
    entries.append({Kind::Password, prompt, caption});
    return takeOr(passwords, QString(), unscripted);
}

std::optional<QString> FakeMessages::openFileName(const quor::FileDialogOptions &options)
{
    entries.append({Kind::OpenFile, options.title});
    return takeOr(files, std::optional<QString>(), unscripted);
}

std::optional<QString> FakeMessages::saveFileName(const quor::FileDialogOptions &options)
{
    entries.append({Kind::SaveFile, options.title});
    return takeOr(files, std::optional<QString>(), unscripted);
}

std::optional<QString> FakeMessages::chooseFolder(const QString &title)
{
    entries.append({Kind::Folder, title});
    return takeOr(folders, std::optional<QString>(), unscripted);
}

bool FakeMessages::openExternal(const QString &fileOrUrl)
{
    entries.append({Kind::OpenExternal, fileOrUrl});
    return true;
}
