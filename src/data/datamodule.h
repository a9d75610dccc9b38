#pragma once

#include "common/programfolder.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace quor {

class Messages;
class TDM;

// The cached parameter row "select * from TPara": opened on first use, closed
// and re-opened after the parameters were saved.
class ParaCursor
{
public:
    explicit ParaCursor(TDM &dm) : m_dm(dm) {}

    bool open();
    void close();
    bool isOpen() const { return m_open; }

    // The first row (a row of NULLs when the table is empty).
    const QSqlRecord &record() const { return m_record; }
    // A column of the row; no value when the column does not exist.
    std::optional<QVariant> field(const QString &name) const;

private:
    TDM &m_dm;
    bool m_open = false;
    QSqlRecord m_record;
};

// The data module: the one connection to DB/ZYDB.dat and the two query
// operations every window uses.
class TDM
{
public:
    // Opens the database; when that fails it says so and the program runs on without one.
    TDM(const ProgramFolder &folder, Messages &messages);
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    static QString databaseFile() { return QStringLiteral("DB\\ZYDB.dat"); }

    const ProgramFolder &folder() const { return m_folder; }
    bool isOpen() const;
    void close();
    QSqlDatabase ADOLocal() const;

    // First column of the first row as text; empty when there is no row, the value
    // is NULL or the query fails (which is never reported). Text values always go
    // in "params" bound to the "?" of the SQL, never pasted into the SQL.
    QString GetDataBySQL(const QString &sql, const QVariantList &params = {}) const;

    // First column of every row appended to "items", NULL and empty values skipped.
    // "items" is cleared (when asked) only once the query has run; a failure leaves
    // it as it was.
    void GetDataBySQLToItems(const QString &sql, QStringList &items, bool clearFirst,
                             const QVariantList &params = {}) const;

    // Runs one statement with its bound parameters; false when it fails. The
    // rows it changed and the ID it inserted are handed back when asked for.
    bool ExecSQL(const QString &sql, const QVariantList &params = {}, int *rowsAffected = nullptr,
                 QVariant *insertId = nullptr) const;

    // Runs "work" (returning bool) in one transaction: committed when it
    // succeeds, rolled back otherwise. False when anything failed.
    template<typename Work>
    bool inTransaction(Work &&work) const
    {
        QSqlDatabase db = ADOLocal();
        if (!db.isOpen() || !db.transaction())
            return false;
        if (work() && db.commit())
            return true;
        db.rollback();
        return false;
    }

    ParaCursor dsPara{*this};

private:
    ProgramFolder m_folder;
    QString m_connectionName;
};

// Prepares "sql" on "query" (forward only), binds the parameters in order and runs it.
bool runQuery(QSqlQuery &query, const QString &sql, const QVariantList &params = {});

// Text form of a stored value: numbers with up to 15 significant digits and no
// trailing zeros, NULL as empty text.
QString valueText(const QVariant &value);

// Date-times are stored as text "yyyy-MM-dd HH:mm:ss", which sorts and compares
// in SQL; reading also accepts the ISO form with a "T".
QString storedDateTime(const QDateTime &dateTime);
QDateTime readStoredDateTime(const QVariant &value);

} // namespace quor
