#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quor {

class TDM;

// Replaces the item set of "target" by a copy of the set of "source" (of BASE
// when source has none). One transaction: a failure leaves target as it was.
bool AddBaseGZSet(TDM &dm, const QString &target, const QString &source);

// Months that have wage records, in descending text order; no value when unreadable.
std::optional<QStringList> monthsWithRecords(const TDM &dm);

// Appends a month row; returns its ID, or no value when it could not be stored.
std::optional<int> insertMonth(TDM &dm, const QString &key);

// Whether another month (not the one with exceptId) has this key, in any letter case.
bool monthKeyTaken(const TDM &dm, const QString &key, int exceptId);

// Renames a month and moves its records; the item set stays under the old key.
bool renameMonth(TDM &dm, int id, const QString &oldKey, const QString &newKey);

// Deletes a month with its records and its item set.
bool deleteMonth(TDM &dm, int id, const QString &key);

} // namespace quor
