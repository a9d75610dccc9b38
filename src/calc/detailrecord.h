#pragma once

#include "wagecalc.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace quor {

class TDM;

inline constexpr int kMaxEarningItems = 30;
inline constexpr int kMaxDeductionItems = 15;

// The items a record of a month shows: the enabled items in SortIdx order,
// name, target column (canonical "GZ7", "KK3") and formula; no values.
struct DisplayedItems
{
    QList<WageItem> earnings;   // at most 30
    QList<WageItem> deductions; // at most 15

    const QList<WageItem> &items(ItemSide side) const
    {
        return side == ItemSide::Earning ? earnings : deductions;
    }
};

// Loads the displayed items of a month. Each type falls back to "BASE" when
// the month has no enabled item of that type. No value when a read failed or
// an item names no TGZ item column.
std::optional<DisplayedItems> loadDisplayedItems(const TDM &dm, const QString &month);

// "GZ1".."GZ30" or "KK1".."KK15" for a column name in any letter case; empty
// for anything else, so only real item columns ever reach a SQL text.
QString itemColumn(const QString &field);

// One TGZ row as the record editor reads and writes it.
struct DetailRecord
{
    int id = -1;        // below 1: a new record
    bool found = false; // the row existed when it was loaded

    QString month;
    QString departName;
    QString empCode;
    QString empName;
    QString zwName;
    QString qm;
    QString mobileCode;
    QString bankNo;
    QString email;

    double workDays = 0;
    double hourCount = 0;
    double oneDayMoney = 0;

    std::array<double, kMaxEarningItems> gz{};
    std::array<double, kMaxDeductionItems> kk{};

    double yfTotal = 0;
    double kkTotal = 0;
    double gzTotal = 0;

    QDateTime logTime; // null when not set

    bool isNew() const { return id < 1; }
    // The amount of an item column; no value for a name that is none.
    std::optional<double> amount(const QString &field) const;
    bool setAmount(const QString &field, double value);
};

// "Select * from TGZ where ID=": a row that does not exist gives a record with
// found = false and that id. No value when the query failed.
std::optional<DetailRecord> loadDetailRecord(const TDM &dm, int id);

// Puts the values of the calculation's items (number-text rule) into their
// columns and its three totals into the record, as the editor stores them.
// A value that is not a number stops it and is returned; the record may then
// hold some of the values.
std::optional<ConversionError> takeCalculation(DetailRecord &record, const WageCalculation &calculation);

// Stores the record: " " for an empty job title; the header texts, the
// attendance figures, the columns of the displayed items only (the others keep
// what is stored) and the totals. A found record is updated and keeps its
// LOGTime; a record not found is inserted, with LOGTime = now only when it is
// new (id below 1). A found row deleted since it was loaded is inserted too
// rather than lost, without LOGTime. On success the record holds its ID and counts as found.
// False when the database refused; the record is then unchanged.
bool saveDetailRecord(const TDM &dm, DetailRecord &record, const DisplayedItems &items,
                      const QDateTime &now = QDateTime::currentDateTime());

} // namespace quor
