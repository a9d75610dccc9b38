#include "qtmessages.h"

#include "frmpassinput.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

// The program's texts break lines with "\r" as the old message boxes did.
QString displayText(const QString &text)
{
    return QString(text).replace("\r\n"_L1, "\n"_L1).replace(u'\r', u'\n');
}

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

std::optional<QString> runFileDialog(const FileDialogOptions &options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(dialogParent(), options.title, options.directory, qtFileFilter(options.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (!options.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ');
        QString description = parts.at(i);
        // Qt reads the patterns from the last parentheses of a description.
        if (description.endsWith(u')') && description.contains(u'('))
            description = description.left(description.lastIndexOf(u'('));
        filters.append(description + u" ("_s + patterns + u')');
    }
    return filters.join(";;"_L1);
}

void QtMessages::showMessage(const QString &text, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), QApplication::applicationName(), displayText(text), QMessageBox::Ok,
                    dialogParent());
    box.button(QMessageBox::Ok)->setText(u"确定"_s);
    box.exec();
}

bool QtMessages::askYesNo(const QString &text, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), QApplication::applicationName(), displayText(text),
                    QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.button(QMessageBox::Yes)->setText(u"是(&Y)"_s);
    box.button(QMessageBox::No)->setText(u"否(&N)"_s);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() != QMessageBox::No;
}

std::optional<QString> QtMessages::inputText(const QString &caption, const QString &prompt, const QString &text)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    dialog.setOkButtonText(u"确定"_s);
    dialog.setCancelButtonText(u"取消"_s);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtMessages::inputPassword(const QString &caption, const QString &prompt)
{
    return passwordPrompt(dialogParent(), caption, prompt);
}

std::optional<QString> QtMessages::openFileName(const FileDialogOptions &options)
{
    return runFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<QString> QtMessages::saveFileName(const FileDialogOptions &options)
{
    return runFileDialog(options, QFileDialog::AcceptSave);
}

std::optional<QString> QtMessages::chooseFolder(const QString &title)
{
    const QString folder = QFileDialog::getExistingDirectory(dialogParent(), title, QString(),
                                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

bool QtMessages::openExternal(const QString &fileOrUrl)
{
    const QUrl url = fileOrUrl.contains("://"_L1) || fileOrUrl.startsWith("mailto:"_L1, Qt::CaseInsensitive)
        ? QUrl(fileOrUrl)
        : QUrl::fromLocalFile(fileOrUrl);
    return QDesktopServices::openUrl(url);
}

} // namespace quor
