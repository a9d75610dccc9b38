#include "recordgrid.h"

#include "recordlistmodel.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quor {

TwoLevelHeaderView::TwoLevelHeaderView(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(u"TwoLevelHeader"_s);
    setSectionsClickable(true);
    setSortIndicatorShown(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
}

QString TwoLevelHeaderView::upperText(int section) const
{
    const QString title = model() ? model()->headerData(section, Qt::Horizontal).toString() : QString();
    const qsizetype bar = title.indexOf(u'|');
    return bar < 0 ? QString() : title.left(bar);
}

QString TwoLevelHeaderView::lowerText(int section) const
{
    const QString title = model() ? model()->headerData(section, Qt::Horizontal).toString() : QString();
    const qsizetype bar = title.indexOf(u'|');
    return bar < 0 ? title : title.mid(bar + 1);
}

std::pair<int, int> TwoLevelHeaderView::upperSpan(int section) const
{
    const QString upper = upperText(section);
    const int visual = visualIndex(section);
    int first = visual, last = visual;
    if (upper.isEmpty())
        return {first, last};
    for (int v = visual - 1; v >= 0; --v) {
        const int l = logicalIndex(v);
        if (isSectionHidden(l))
            continue;
        if (upperText(l) != upper)
            break;
        first = v;
    }
    for (int v = visual + 1; v < count(); ++v) {
        const int l = logicalIndex(v);
        if (isSectionHidden(l))
            continue;
        if (upperText(l) != upper)
            break;
        last = v;
    }
    return {first, last};
}

QSize TwoLevelHeaderView::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    const int line = fontMetrics().height() + 8;
    size.setHeight(2 * line);
    return size;
}

QSize TwoLevelHeaderView::sectionSizeFromContents(int section) const
{
    // Wide enough for the lower line; the upper line is shared by the group.
    const QString lower = lowerText(section);
    const QString upper = upperText(section);
    const int text = fontMetrics().horizontalAdvance(lower);
    const int shared = upper.isEmpty() ? 0 : fontMetrics().horizontalAdvance(upper) / 3;
    return {std::max(text, shared) + 16, sizeHint().height()};
}

void TwoLevelHeaderView::paintSection(QPainter *painter, const QRect &rect, int section) const
{
    if (!rect.isValid())
        return;
    const QString upper = upperText(section);
    const int half = rect.height() / 2;

    const auto drawCell = [&](const QRect &cell, const QString &text, bool withIndicator) {
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = cell;
        opt.section = section;
        opt.text = text;
        opt.textAlignment = Qt::AlignCenter;
        opt.position = QStyleOptionHeader::Middle;
        opt.state |= QStyle::State_Raised;
        if (isEnabled())
            opt.state |= QStyle::State_Enabled;
        opt.sortIndicator = QStyleOptionHeader::None;
        if (withIndicator && isSortIndicatorShown() && sortIndicatorSection() == section)
            opt.sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortDown
                                                                           : QStyleOptionHeader::SortUp;
        style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    };

    if (upper.isEmpty()) {
        drawCell(rect, lowerText(section), true);
        return;
    }
    const auto [first, last] = upperSpan(section);
    const int left = sectionViewportPosition(logicalIndex(first));
    const int right = sectionViewportPosition(logicalIndex(last)) + sectionSize(logicalIndex(last));
    painter->save();
    drawCell(QRect(left, rect.top(), right - left, half), upper, false);
    painter->restore();
    drawCell(QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half), lowerText(section), true);
}

FooterBar::FooterBar(QTableView *view, RecordListModel *model, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_model(model)
{
    setObjectName(u"Footer"_s);
    const auto repaint = [this] { update(); };
    QHeaderView *header = view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(header, &QHeaderView::sectionCountChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(model, &QAbstractItemModel::modelReset, this, repaint);
    connect(model, &QAbstractItemModel::dataChanged, this, repaint);
    connect(model, &QAbstractItemModel::rowsRemoved, this, repaint);
    connect(model, &QAbstractItemModel::headerDataChanged, this, repaint);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize FooterBar::sizeHint() const
{
    return {200, fontMetrics().height() + 10};
}

QRect FooterBar::cellRect(int column) const
{
    QHeaderView *header = m_view->horizontalHeader();
    if (header->isSectionHidden(column))
        return {};
    return QRect(viewportLeft() + header->sectionViewportPosition(column), 0, header->sectionSize(column), height());
}

int FooterBar::viewportLeft() const
{
    // The footer lines up with the view's viewport, which starts after its frame.
    return m_view->viewport()->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
}

QString FooterBar::cellText(int column) const
{
    return m_model->footerText(column);
}

void FooterBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect clip(viewportLeft(), 0, m_view->viewport()->width(), height());
    painter.setClipRect(clip);
    const QColor line = palette().color(QPalette::Mid);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const QRect cell = cellRect(column);
        if (cell.isEmpty() || !cell.intersects(clip))
            continue;
        painter.setPen(line);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        const QString text = cellText(column);
        if (text.isEmpty())
            continue;
        painter.setPen(palette().color(QPalette::WindowText));
        const Qt::Alignment align = RecordListModel::columnAlignment(column);
        painter.drawText(cell.adjusted(4, 0, -4, 0), int(align | Qt::AlignVCenter), text);
    }
}

RecordGrid::RecordGrid(RecordListModel *model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_view(new QTableView(this))
    , m_header(new TwoLevelHeaderView(m_view))
    , m_footer(nullptr)
{
    setObjectName(u"RecordGrid"_s);
    m_view->setObjectName(u"DBGridEh2"_s);
    m_view->setHorizontalHeader(m_header);
    m_view->setModel(model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    m_view->setAlternatingRowColors(true);
    m_footer = new FooterBar(m_view, model, this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);

    // Column widths for the kinds of content.
    const QFontMetrics fm = m_view->fontMetrics();
    const int amount = fm.horizontalAdvance(u"000000.00"_s) + 16;
    for (int column = 0; column < RecordListModel::ColumnCount; ++column) {
        int width = amount;
        switch (column) {
        case RecordListModel::ColSortIdx:
            width = fm.horizontalAdvance(u"00000"_s) + 16;
            break;
        case RecordListModel::ColDepartName:
        case RecordListModel::ColEmpName:
        case RecordListModel::ColZWName:
        case RecordListModel::ColGZMonth:
        case RecordListModel::ColEmpCode:
            width = fm.horizontalAdvance(u"职员编码编码"_s) + 12;
            break;
        case RecordListModel::ColQM:
        case RecordListModel::ColBankNo:
        case RecordListModel::ColEMail:
        case RecordListModel::ColMobileCode:
            width = fm.horizontalAdvance(u"0000000000000000000"_s) + 12;
            break;
        case RecordListModel::ColLOGTime:
            width = fm.horizontalAdvance(u"00-00-00 00:00"_s) + 16;
            break;
        default:
            break;
        }
        m_header->resizeSection(column, width);
    }
    connect(model, &QAbstractItemModel::headerDataChanged, this, &RecordGrid::applyColumnVisibility);
    applyColumnVisibility();
}

void RecordGrid::applyColumnVisibility()
{
    for (int column = 0; column < RecordListModel::ColumnCount; ++column)
        m_view->setColumnHidden(column, !m_model->isColumnVisible(column));
    m_header->viewport()->update();
    m_footer->update();
}

} // namespace quor
