#include "taxrules.h"

#include "common/numtext.h"
#include "data/datamodule.h"

#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace quor {

QList<TaxBracket> loadTaxBrackets(const TDM &dm, bool *ok)
{
    QList<TaxBracket> brackets;
    bool success = false;
    if (dm.isOpen()) {
        QSqlQuery query(dm.ADOLocal());
        query.setForwardOnly(true);
        success = query.exec(u"select ID, ClassIdx, YNSTotal, SLRate, SQKCS from TGSModel Order by ClassIdx"_s);
        while (success && query.next()) {
            brackets.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toDouble(),
                             query.value(3).toDouble(), query.value(4).toDouble()});
        }
    }
    if (ok)
        *ok = success;
    return brackets;
}

long double taxForIncome(const QList<TaxBracket> &brackets, long double taxable)
{
    for (const TaxBracket &b : brackets) {
        if (taxable <= static_cast<long double>(b.ynsTotal))
            return taxable * static_cast<long double>(b.slRate) / 100 - static_cast<long double>(b.sqkcs);
    }
    return 0;
}

TaxRules::TaxRules(TDM &dm)
    : m_dm(dm)
{
    reload();
}

void TaxRules::reload()
{
    m_brackets = loadTaxBrackets(m_dm);
}

QString TaxRules::thresholdText() const
{
    return m_dm.GetDataBySQL(u"Select GSLimit from TPara"_s);
}

bool TaxRules::storeThreshold(const QString &text)
{
    const std::optional<double> value = readNumberText(text);
    return value && m_dm.ExecSQL(u"Update TPara Set GSLimit=?"_s, {*value});
}

int TaxRules::nextClassIdx() const
{
    const int next = int(m_brackets.size()) + 1;
    return next <= kMaxTaxBrackets ? next : 0;
}

bool TaxRules::add(const TaxBracket &bracket)
{
    const bool stored = m_dm.ExecSQL(u"Insert into TGSModel (ClassIdx, YNSTotal, YNSTotalNJ, SLRate, SQKCS) "
                                     "values (?, ?, ?, ?, ?)"_s,
                                     {bracket.classIdx, bracket.ynsTotal, bracket.ynsTotal, bracket.slRate, bracket.sqkcs});
    reload();
    return stored;
}

bool TaxRules::update(const TaxBracket &bracket)
{
    const bool stored = m_dm.ExecSQL(u"Update TGSModel Set ClassIdx=?, YNSTotal=?, YNSTotalNJ=?, SLRate=?, SQKCS=? "
                                     "where ID=?"_s,
                                     {bracket.classIdx, bracket.ynsTotal, bracket.ynsTotal, bracket.slRate,
                                      bracket.sqkcs, bracket.id});
    reload();
    return stored;
}

bool TaxRules::deleteLast()
{
    if (m_brackets.isEmpty())
        return false;
    const bool deleted = m_dm.ExecSQL(u"Delete from TGSModel where ID=?"_s, {m_brackets.constLast().id});
    reload();
    return deleted;
}

TaxBracketModel::TaxBracketModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void TaxBracketModel::setBrackets(const QList<TaxBracket> &brackets)
{
    beginResetModel();
    m_brackets = brackets;
    endResetModel();
}

int TaxBracketModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_brackets.size());
}

int TaxBracketModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TaxBracketModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const TaxBracket &b = m_brackets.at(index.row());
    switch (index.column()) {
    case ClassColumn:
        return b.classIdx;
    case TotalColumn:
        return numberText(b.ynsTotal);
    case RateColumn:
        return numberText(b.slRate);
    case DeductionColumn:
        return numberText(b.sqkcs);
    default:
        return {};
    }
}

QVariant TaxBracketModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList titles = {u"等级"_s, u"全月应纳税所得额<="_s, u"税率(%)"_s, u"速算扣除数"_s};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace quor
