#pragma once

#include "common/messages.h"

#include <QTextStream>

namespace quor::cli {

// Messages without a screen: texts go to the error stream, one a line. Nobody
// can answer a question, so every question is declined and every prompt cancelled.
class ConsoleMessages final : public Messages
{
public:
    explicit ConsoleMessages(QTextStream &err) : m_err(err) {}

    void showMessage(const QString &text, MessageIcon icon = MessageIcon::Information) override;
    bool askYesNo(const QString &text, MessageIcon icon = MessageIcon::Warning) override;
    std::optional<QString> inputText(const QString &caption, const QString &prompt, const QString &text) override;
    QString inputPassword(const QString &caption, const QString &prompt) override;
    std::optional<QString> openFileName(const FileDialogOptions &options) override;
    std::optional<QString> saveFileName(const FileDialogOptions &options) override;
    std::optional<QString> chooseFolder(const QString &title) override;
    bool openExternal(const QString &fileOrUrl) override;

private:
    QTextStream &m_err;
};

} // namespace quor::cli
