#pragma once

#include "common/messages.h"

#include <QList>
#include <QStringList>

// The scripted stand-in for the message interface: it records every text shown,
// in order, and answers from queues. A question the test did not script is
// answered with the default (Yes, cancel, empty) and counted in "unscripted".
class FakeMessages final : public quor::Messages
{
public:
    enum class Kind { Message, YesNo, Input, Password, OpenFile, SaveFile, Folder, OpenExternal };
    struct Entry
    {
        Kind kind;
        QString text;    // the message, question or prompt; a dialog's title; the opened path
        QString caption; // prompts only
        quor::MessageIcon icon = quor::MessageIcon::Information;
    };

    // Answers, taken from the front.
    QList<bool> yesNo;                       // true = Yes
    QList<std::optional<QString>> inputs;    // no value = cancelled
    QStringList passwords;
    QList<std::optional<QString>> files;     // open and save dialogs
    QList<std::optional<QString>> folders;

    QList<Entry> entries;
    int unscripted = 0;

    // Every text shown, in order.
    QStringList texts() const;
    // The texts of plain message boxes only.
    QStringList messages() const;
    QStringList opened() const;
    void clear();

    void showMessage(const QString &text, quor::MessageIcon icon) override;
    bool askYesNo(const QString &text, quor::MessageIcon icon) override;
    std::optional<QString> inputText(const QString &caption, const QString &prompt, const QString &text) override;
    QString inputPassword(const QString &caption, const QString &prompt) override;
    std::optional<QString> openFileName(const quor::FileDialogOptions &options) override;
    std::optional<QString> saveFileName(const quor::FileDialogOptions &options) override;
    std::optional<QString> chooseFolder(const QString &title) override;
    bool openExternal(const QString &fileOrUrl) override;
};
