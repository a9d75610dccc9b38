#pragma once

#include "common/messages.h"

#include <cstdio>

// Benchmarks show nothing: every question is answered Yes and any message,
// which would be a fault here, goes to the error stream and is counted.
class QuietMessages final : public quor::Messages
{
public:
    int shown = 0;
    void showMessage(const QString &text, quor::MessageIcon) override
    {
        ++shown;
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool askYesNo(const QString &, quor::MessageIcon) override { return true; }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override { return {}; }
    QString inputPassword(const QString &, const QString &) override { return {}; }
    std::optional<QString> openFileName(const quor::FileDialogOptions &) override { return {}; }
    std::optional<QString> saveFileName(const quor::FileDialogOptions &) override { return {}; }
    std::optional<QString> chooseFolder(const QString &) override { return {}; }
    bool openExternal(const QString &) override { return true; }
};
