#include "consolemessages.h"

namespace quor::cli {

void ConsoleMessages::showMessage(const QString &text, MessageIcon)
{
    m_err << text << '\n';
    m_err.flush();
}

bool ConsoleMessages::askYesNo(const QString &text, MessageIcon)
{
    showMessage(text);
    return false;
}

std::optional<QString> ConsoleMessages::inputText(const QString &, const QString &, const QString &)
{
    return std::nullopt;
}

QString ConsoleMessages::inputPassword(const QString &, const QString &)
{
    return {};
}

std::optional<QString> ConsoleMessages::openFileName(const FileDialogOptions &)
{
    return std::nullopt;
}

std::optional<QString> ConsoleMessages::saveFileName(const FileDialogOptions &)
{
    return std::nullopt;
}

std::optional<QString> ConsoleMessages::chooseFolder(const QString &)
{
    return std::nullopt;
}

bool ConsoleMessages::openExternal(const QString &)
{
    return false;
}

} // namespace quor::cli
