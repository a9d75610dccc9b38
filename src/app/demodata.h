#pragma once

#include <QString>

#include <optional>

namespace quor {

struct Session;

struct DemoOptions
{
    QString month;       // the new month's key
    int employees = 48;  // records to write
    quint32 seed = 0;    // the same seed gives the same company; 0: one of the month's own
};

struct DemoResult
{
    int records = 0;
    double netTotal = 0; // sum of GZTotal
};

// Adds a month with a copy of the BASE item set and a sample company whose
// formula items, income tax and totals are computed by the calculation engine
// as the record editor computes them. Never touches an existing month: then,
// or on a database failure, returns no result and sets *error to a Chinese text.
std::optional<DemoResult> addDemoMonth(Session &session, const DemoOptions &options, QString *error);

} // namespace quor
