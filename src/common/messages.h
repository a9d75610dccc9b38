#pragma once

#include <QString>

#include <optional>

namespace quor {

enum class MessageIcon { Information, Warning, Error, Question };

struct FileDialogOptions
{
    QString title;
    QString filter;        // "工资条数据库备份(*.GZBK)|*.GZBK": description|patterns pairs
    QString defaultSuffix; // without the dot
    QString directory;     // initial folder
    QString fileName;      // proposed file (save) or preselected file (open)
    bool confirmOverwrite = true;
};

// Every modal interaction of the program goes through this interface: the program
// shows real dialogs, the tests script the answers and read back what was shown.
class Messages
{
public:
    virtual ~Messages() = default;

    // A message box with OK.
    virtual void showMessage(const QString &text, MessageIcon icon = MessageIcon::Information) = 0;

    // A box with Yes and No. Only an explicit No returns false: the program goes
    // on for every other answer.
    virtual bool askYesNo(const QString &text, MessageIcon icon = MessageIcon::Warning) = 0;

    // One-line input prompt pre-filled with "text"; no value when cancelled.
    virtual std::optional<QString> inputText(const QString &caption, const QString &prompt,
                                             const QString &text) = 0;

    // The password prompt: returns what was typed whichever button closed it.
    virtual QString inputPassword(const QString &caption, const QString &prompt) = 0;

    virtual std::optional<QString> openFileName(const FileDialogOptions &options) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogOptions &options) = 0;
    virtual std::optional<QString> chooseFolder(const QString &title) = 0;

    // Opens a file or a web address in the desktop's program for it.
    virtual bool openExternal(const QString &fileOrUrl) = 0;
};

} // namespace quor
