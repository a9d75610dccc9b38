#include "demodata.h"

#include "monthops.h"

#include "calc/detailrecord.h"
#include "calc/taxrules.h"
#include "calc/wagecalc.h"
#include "common/numtext.h"
#include "data/session.h"

#include <QHash>
#include <QRandomGenerator>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

struct Department
{
    QString name;
    QString codePrefix;
    QStringList titles; // the first is the head of the department
    double baseFrom, baseTo;
};

const QList<Department> &departments()
{
    static const QList<Department> list = {
        {u"行政部"_s, u"XZ"_s, {u"行政经理"_s, u"行政专员"_s, u"前台"_s, u"司机"_s}, 3800, 6500},
        {u"财务部"_s, u"CW"_s, {u"财务经理"_s, u"会计"_s, u"出纳"_s}, 4500, 8000},
        {u"销售部"_s, u"XS"_s, {u"销售经理"_s, u"销售代表"_s, u"客服专员"_s}, 3500, 7500},
        {u"生产部"_s, u"SC"_s, {u"车间主任"_s, u"班组长"_s, u"操作工"_s, u"质检员"_s, u"仓管员"_s}, 3200, 6000},
        {u"技术部"_s, u"JS"_s, {u"技术总监"_s, u"工程师"_s, u"技术员"_s}, 5500, 12000},
    };
    return list;
}

const QStringList kSurnames = {u"王"_s, u"李"_s, u"张"_s, u"刘"_s, u"陈"_s, u"杨"_s, u"黄"_s, u"赵"_s, u"吴"_s,
                               u"周"_s, u"徐"_s, u"孙"_s, u"马"_s, u"朱"_s, u"胡"_s, u"郭"_s, u"何"_s, u"林"_s,
                               u"高"_s, u"罗"_s, u"郑"_s, u"梁"_s, u"谢"_s, u"宋"_s, u"唐"_s, u"许"_s, u"韩"_s};
const QStringList kGiven = {u"伟"_s, u"芳"_s, u"娜"_s, u"敏"_s, u"静"_s, u"丽"_s, u"强"_s, u"磊"_s, u"军"_s,
                            u"洋"_s, u"勇"_s, u"艳"_s, u"杰"_s, u"娟"_s, u"涛"_s, u"明"_s, u"超"_s, u"秀英"_s,
                            u"霞"_s, u"平"_s, u"刚"_s, u"桂英"_s, u"建华"_s, u"晓东"_s, u"海燕"_s, u"志强"_s,
                            u"婷"_s, u"雪"_s, u"浩然"_s, u"子涵"_s, u"欣怡"_s, u"宇轩"_s, u"思远"_s, u"佳琪"_s};

double money(double value)
{
    return std::round(value * 100) / 100;
}

// Values of the items typed by hand, by position: base pay, post pay,
// performance, overtime, allowances, bonus; further items get small amounts.
QString earningValue(int position, double base, QRandomGenerator &random, bool head)
{
    double value = 0;
    switch (position) {
    case 0:
        value = base;
        break;
    case 1:
        value = std::round(base * (head ? 0.45 : 0.25) / 50) * 50;
        break;
    case 2:
        value = money(base * (0.05 + random.bounded(20) / 100.0));
        break;
    case 3:
        value = random.bounded(3) == 0 ? 0 : money(base / 21.75 / 8 * 1.5 * random.bounded(4, 25));
        break;
    case 4:
        value = 200 + 50 * random.bounded(7);
        break;
    case 5:
        value = random.bounded(4) == 0 ? 500 + 100 * random.bounded(16) : 0;
        break;
    default:
        value = random.bounded(3) == 0 ? 50 * random.bounded(1, 8) : 0;
        break;
    }
    return formatFixed(value, 2);
}

} // namespace

std::optional<DemoResult> addDemoMonth(Session &session, const DemoOptions &options, QString *error)
{
    TDM &dm = session.dm;
    const auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return std::nullopt;
    };
    if (!dm.isOpen())
        return fail(u"无法打开数据库 DB\\ZYDB.dat。"_s);
    if (options.month.isEmpty())
        return fail(u"月度名称不能为空。"_s);
    if (!dm.GetDataBySQL(u"Select GZMonth from TGZMonth where GZMonth=?"_s, {options.month}).isEmpty())
        return fail(u"月度["_s + options.month + u"]已经存在，演示数据不会改动已有的月度。"_s);

    const std::optional<int> monthId = insertMonth(dm, options.month);
    if (!monthId)
        return fail(u"存储数据发生错误！"_s);
    // The records go in one transaction; on a failure the new month goes too.
    QString failure = u"存储数据发生错误！"_s;
    const auto removeMonth = [&] {
        deleteMonth(dm, *monthId, options.month);
        return fail(failure);
    };
    if (!AddBaseGZSet(dm, options.month, u"BASE"_s))
        return removeMonth();
    const std::optional<DisplayedItems> items = loadDisplayedItems(dm, options.month);
    if (!items) {
        failure = u"读取数据库发生错误！"_s;
        return removeMonth();
    }

    const QList<TaxBracket> brackets = loadTaxBrackets(dm);
    WageCalculation calc(session.messages, [&brackets] { return brackets; });
    calc.setSettings({session.state.gsLimit, session.state.showDecimals()});

    QRandomGenerator random(options.seed ? options.seed : quint32(qHash(options.month)));
    DemoResult result;
    const bool written = dm.inTransaction([&] {
        QList<int> perDepartment(departments().size(), 0);
        for (int n = 0; n < options.employees; ++n) {
            const int d = int(random.bounded(qsizetype(departments().size())));
            const Department &department = departments().at(d);
            const bool head = perDepartment[d]++ == 0;
            const QString title = head ? department.titles.first()
                                       : department.titles.at(1 + int(random.bounded(department.titles.size() - 1)));
            const double base = head ? std::round(department.baseTo * 1.3 / 100) * 100
                                     : std::round((department.baseFrom
                                                   + random.bounded(1.0) * (department.baseTo - department.baseFrom))
                                                  / 50)
                                           * 50;

            QList<WageItem> earnings = items->earnings;
            for (int i = 0; i < earnings.size(); ++i) {
                if (earnings[i].formula.trimmed().isEmpty())
                    earnings[i].value = earningValue(i, base, random, head);
            }
            QList<WageItem> deductions = items->deductions;
            for (WageItem &item : deductions) {
                if (item.formula.trimmed().isEmpty())
                    item.value = random.bounded(5) == 0 ? formatFixed(10.0 * random.bounded(1, 20), 2) : QString();
            }
            calc.setItems(earnings, deductions);
            if (!calc.ReCalcAll()) {
                failure = u"计算工资时发生错误！"_s;
                return false;
            }

            DetailRecord record;
            record.month = options.month;
            record.departName = department.name;
            record.empCode = department.codePrefix + QString::number(n + 1).rightJustified(3, u'0');
            record.empName = kSurnames.at(int(random.bounded(kSurnames.size())))
                + kGiven.at(int(random.bounded(kGiven.size())));
            record.zwName = title;
            record.workDays = 21.75;
            record.oneDayMoney = money(base / 21.75);
            record.mobileCode = u"13"_s + QString::number(random.bounded(100000000, 999999999));
            record.bankNo = u"6222"_s + QString::number(random.bounded(100000000, 999999999))
                + QString::number(random.bounded(100000, 999999));
            record.email = record.empCode.toLower() + u"@example.com"_s;
            if (takeCalculation(record, calc) || !saveDetailRecord(dm, record, *items))
                return false;
            ++result.records;
            result.netTotal += record.gzTotal;
        }
        return true;
    });
    if (!written)
        return removeMonth();
    return result;
}

} // namespace quor
