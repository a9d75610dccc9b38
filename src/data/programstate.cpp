#include "programstate.h"

#include "datamodule.h"

#include "common/numtext.h"

#include <cmath>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace quor {

QString ProgramState::amountFormat() const
{
    return showDecimals() ? u"0.00"_s : u"0"_s;
}

QString ProgramState::windowTitle() const
{
    return brand + u"工资条制作打印软件"_s;
}

bool ProgramState::passwordInForce() const
{
    return !logPass.isEmpty() && logPass != "746"_L1;
}

namespace {

std::optional<double> asDouble(const QVariant &value)
{
    if (value.isNull())
        return 0.0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return value.toDouble();
    default:
        return readNumberText(value.toString());
    }
}

std::optional<int> asInt(const QVariant &value)
{
    const std::optional<double> d = asDouble(value);
    if (!d || std::fabs(*d) > 2147483647.0)
        return std::nullopt;
    return int(std::lround(*d));
}

} // namespace

bool loadParameters(TDM &dm, ProgramState &state)
{
    if (!dm.dsPara.isOpen() && !dm.dsPara.open())
        return false;

    // Read in this order; the first failure ends the reading.
    using Reader = std::function<bool(const QVariant &)>;
    const auto intInto = [](int &target) -> Reader {
        return [&target](const QVariant &v) {
            const std::optional<int> i = asInt(v);
            if (i)
                target = *i;
            return i.has_value();
        };
    };
    const auto doubleInto = [](double &target) -> Reader {
        return [&target](const QVariant &v) {
            const std::optional<double> d = asDouble(v);
            if (d)
                target = *d;
            return d.has_value();
        };
    };
    const auto textInto = [](QString &target) -> Reader {
        return [&target](const QVariant &v) {
            target = valueText(v);
            return true;
        };
    };
    const Reader gsLimit = [&state](const QVariant &v) {
        const std::optional<double> d = asDouble(v);
        if (d)
            state.gsLimit = roundHalfEven(*d);
        return d.has_value();
    };

    const std::pair<const char *, Reader> readers[] = {
        {"GSLimit", gsLimit},
        {"JJUnit", textInto(state.jjUnit)},
        {"PrintDays", intInto(state.printDays)},
        {"ShowFloat", intInto(state.showFloat)},
        {"PrintOrientation", intInto(state.printOrientation)},
        {"TopPos", intInto(state.topPos)},
        {"EntName", textInto(state.entName)},
        {"LogPass", textInto(state.logPass)},
        {"ShowXH", intInto(state.showXH)},
        {"PageWidth", doubleInto(state.pageWidth)},
        {"StepTitleGrid", doubleInto(state.stepTitleGrid)},
        {"NameOnTitle", intInto(state.nameOnTitle)},
    };
    for (const auto &[column, read] : readers) {
        const std::optional<QVariant> value = dm.dsPara.field(QString::fromLatin1(column));
        if (!value || !read(*value))
            break;
    }

    // The initial password counts as none.
    if (state.logPass == "746"_L1)
        state.logPass.clear();
    return true;
}

} // namespace quor
