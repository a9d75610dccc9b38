#pragma once

#include <QHeaderView>
#include <QWidget>

class QTableView;

namespace quor {

class RecordListModel;

// Column titles written "upper|lower" are drawn on two rows; neighbouring
// visible columns with the same upper line share one merged cell.
class TwoLevelHeaderView final : public QHeaderView
{
    Q_OBJECT

public:
    explicit TwoLevelHeaderView(QWidget *parent = nullptr);

    // The visual span [first, last] of the merged upper cell of a column.
    std::pair<int, int> upperSpan(int section) const;

protected:
    QSize sizeHint() const override;
    QSize sectionSizeFromContents(int section) const override;
    void paintSection(QPainter *painter, const QRect &rect, int section) const override;

private:
    QString upperText(int section) const;
    QString lowerText(int section) const;
};

// One row under the list with the footer of each column, kept aligned with the
// columns when they are scrolled, resized or hidden.
class FooterBar final : public QWidget
{
    Q_OBJECT

public:
    FooterBar(QTableView *view, RecordListModel *model, QWidget *parent = nullptr);

    // The text and rectangle (in this widget) of a column's footer cell.
    QRect cellRect(int column) const;
    QString cellText(int column) const;

protected:
    QSize sizeHint() const override;
    void paintEvent(QPaintEvent *event) override;

private:
    int viewportLeft() const;

    QTableView *m_view;
    RecordListModel *m_model;
};

// The record list: the table with its two-row titles and the footer row.
class RecordGrid final : public QWidget
{
    Q_OBJECT

public:
    explicit RecordGrid(RecordListModel *model, QWidget *parent = nullptr);

    QTableView *view() const { return m_view; }
    TwoLevelHeaderView *header() const { return m_header; }
    FooterBar *footer() const { return m_footer; }

    // Hides and shows the columns as the model says.
    void applyColumnVisibility();

private:
    RecordListModel *m_model;
    QTableView *m_view;
    TwoLevelHeaderView *m_header;
    FooterBar *m_footer;
};

} // namespace quor
