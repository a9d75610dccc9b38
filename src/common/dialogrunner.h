#pragma once

#include <functional>

class QDialog;

namespace quor {

// Every modal dialog of the program is run through here. The program runs it
// with exec(); a test installs a runner that fills the dialog's fields through
// its widgets, clicks its buttons and returns the dialog's result.
using DialogRunner = std::function<int(QDialog &dialog)>;

int runDialog(QDialog &dialog);

// Installs a runner for the lifetime of the object (tests).
class ScopedDialogRunner
{
public:
    explicit ScopedDialogRunner(DialogRunner runner);
    ~ScopedDialogRunner();
    ScopedDialogRunner(const ScopedDialogRunner &) = delete;
    ScopedDialogRunner &operator=(const ScopedDialogRunner &) = delete;

private:
    DialogRunner m_previous;
};

} // namespace quor
