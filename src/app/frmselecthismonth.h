#pragma once

#include <QDialog>

#include <optional>

class QTableWidget;

namespace quor {

struct Session;

// "选择历史发放月度": the months that have wage records.
class TfrmSelectHisMonth final : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSelectHisMonth(const QStringList &months, QWidget *parent = nullptr);

    // The chosen month once the dialog was closed by choosing.
    std::optional<QString> chosen() const { return m_chosen; }

private:
    void choose();

    QTableWidget *m_grid;
    std::optional<QString> m_chosen;
};

// Opens the dialog; no value when nothing was chosen or the months could not be read
// (which is reported).
std::optional<QString> SelectHisMonth(Session &session, QWidget *parent);

} // namespace quor
