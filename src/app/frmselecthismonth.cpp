#include "frmselecthismonth.h"

#include "monthops.h"

#include "common/dialogrunner.h"
#include "common/dialogwidgets.h"
#include "data/session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quor {

TfrmSelectHisMonth::TfrmSelectHisMonth(const QStringList &months, QWidget *parent)
    : QDialog(parent)
    , m_grid(new QTableWidget(int(months.size()), 1, this))
{
    setObjectName(u"TfrmSelectHisMonth"_s);
    setWindowTitle(u"选择历史发放月度"_s);
    m_grid->setObjectName(u"DBGridEh1"_s);
    m_grid->setHorizontalHeaderLabels({u"发放月度"_s});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < months.size(); ++row)
        m_grid->setItem(row, 0, new QTableWidgetItem(months.at(row)));
    if (!months.isEmpty())
        m_grid->setCurrentCell(0, 0);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TfrmSelectHisMonth::choose);

    QPushButton *select = namedButton(this, u"cmdSelect"_s, u"选中(&S)"_s);
    select->setDefault(true);
    QPushButton *cancel = namedButton(this, u"cmdCancel"_s, u"取消(&X)"_s);
    connect(select, &QPushButton::clicked, this, &TfrmSelectHisMonth::choose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    QHBoxLayout *buttons = buttonRow({select, cancel});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(300, 360);
}

void TfrmSelectHisMonth::choose()
{
    const int row = m_grid->currentRow();
    if (row < 0 || !m_grid->item(row, 0))
        return; // an empty list has nothing to choose
    m_chosen = m_grid->item(row, 0)->text();
    accept();
}

std::optional<QString> SelectHisMonth(Session &session, QWidget *parent)
{
    const std::optional<QStringList> months = monthsWithRecords(session.dm);
    if (!months) {
        session.messages.showMessage(u"读取数据库发生错误！"_s, MessageIcon::Error);
        return std::nullopt;
    }
    TfrmSelectHisMonth dialog(*months, parent);
    if (runDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace quor
