#pragma once

#include "common/messages.h"

namespace quor {

// The program's message interface: Qt dialogs, captioned with the application name.
class QtMessages final : public Messages
{
public:
    void showMessage(const QString &text, MessageIcon icon) override;
    bool askYesNo(const QString &text, MessageIcon icon) override;
    std::optional<QString> inputText(const QString &caption, const QString &prompt, const QString &text) override;
    QString inputPassword(const QString &caption, const QString &prompt) override;
    std::optional<QString> openFileName(const FileDialogOptions &options) override;
    std::optional<QString> saveFileName(const FileDialogOptions &options) override;
    std::optional<QString> chooseFolder(const QString &title) override;
    bool openExternal(const QString &fileOrUrl) override;
};

// "描述(*.a;*.b)|*.a;*.b|…" as a Qt file dialog filter.
QString qtFileFilter(const QString &filter);

} // namespace quor
