#include "datamodule.h"

#include "common/messages.h"
#include "common/numtext.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

using namespace Qt::Literals::StringLiterals;

namespace quor {

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return u"ADOLocal-"_s + QString::number(++counter);
}

} // namespace

bool runQuery(QSqlQuery &query, const QString &sql, const QVariantList &params)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return false;
    for (const QVariant &p : params)
        query.addBindValue(p);
    return query.exec();
}

QString valueText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QString storedDateTime(const QDateTime &dateTime)
{
    return dateTime.toString(u"yyyy-MM-dd HH:mm:ss"_s);
}

QDateTime readStoredDateTime(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    const QString text = value.toString().trimmed();
    // The stored form, read by hand: the list reads thousands of them at a time
    // and the format parser is slow.
    if (text.size() == 19 && text.at(4) == u'-' && text.at(7) == u'-' && text.at(10) == u' ' && text.at(13) == u':'
        && text.at(16) == u':') {
        const auto number = [&text](int from, int length) {
            int n = 0;
            for (int i = from; i < from + length; ++i) {
                const char16_t c = text.at(i).unicode();
                if (c < u'0' || c > u'9')
                    return -1;
                n = n * 10 + (c - u'0');
            }
            return n;
        };
        const QDate date(number(0, 4), number(5, 2), number(8, 2));
        const QTime time(number(11, 2), number(14, 2), number(17, 2));
        if (date.isValid() && time.isValid())
            return QDateTime(date, time);
    }
    QDateTime result = QDateTime::fromString(text, u"yyyy-MM-dd HH:mm:ss"_s);
    if (!result.isValid())
        result = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!result.isValid())
        result = QDateTime::fromString(text, Qt::ISODate);
    return result;
}

bool ParaCursor::open()
{
    m_open = false;
    m_record.clear();
    if (!m_dm.isOpen())
        return false;
    QSqlQuery query(m_dm.ADOLocal());
    if (!runQuery(query, u"select * from TPara"_s, {}))
        return false;
    m_record = query.record();
    if (query.next())
        m_record = query.record();
    m_open = true;
    return true;
}

void ParaCursor::close()
{
    m_open = false;
    m_record.clear();
}

std::optional<QVariant> ParaCursor::field(const QString &name) const
{
    const int index = m_record.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return m_record.value(index);
}

TDM::TDM(const ProgramFolder &folder, Messages &messages)
    : m_folder(folder)
    , m_connectionName(nextConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    const QString file = m_folder.path(databaseFile());
    // mode=rw: a missing file is an error, never a new empty database.
    db.setConnectOptions(u"QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"_s);
    db.setDatabaseName(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + u"?mode=rw"_s);

    bool opened = QFileInfo(file).isFile() && db.open();
    if (opened) {
        // SQLite opens lazily; a file that is not a database fails only here.
        QSqlQuery probe(db);
        opened = probe.exec(u"select count(*) from sqlite_master"_s) && probe.next();
    }
    if (!opened) {
        db.close();
        messages.showMessage(u"请确认您的程序是否安装正确，或者没有安装MDAC数据访问组件！"_s, MessageIcon::Error);
    }
}

TDM::~TDM()
{
    close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool TDM::isOpen() const
{
    return QSqlDatabase::database(m_connectionName, false).isOpen();
}

void TDM::close()
{
    dsPara.close();
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (db.isOpen())
        db.close();
}

QSqlDatabase TDM::ADOLocal() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool TDM::ExecSQL(const QString &sql, const QVariantList &params, int *rowsAffected, QVariant *insertId) const
{
    QSqlDatabase db = ADOLocal();
    if (!db.isOpen())
        return false;
    QSqlQuery query(db);
    if (!runQuery(query, sql, params))
        return false;
    if (rowsAffected)
        *rowsAffected = query.numRowsAffected();
    if (insertId)
        *insertId = query.lastInsertId();
    return true;
}

QString TDM::GetDataBySQL(const QString &sql, const QVariantList &params) const
{
    QSqlDatabase db = ADOLocal();
    if (!db.isOpen())
        return {};
    QSqlQuery query(db);
    if (!runQuery(query, sql, params) || !query.next())
        return {};
    return valueText(query.value(0));
}

void TDM::GetDataBySQLToItems(const QString &sql, QStringList &items, bool clearFirst,
                              const QVariantList &params) const
{
    QSqlDatabase db = ADOLocal();
    if (!db.isOpen())
        return;
    QSqlQuery query(db);
    if (!runQuery(query, sql, params))
        return;
    if (clearFirst)
        items.clear();
    while (query.next()) {
        const QString text = valueText(query.value(0));
        if (!text.isEmpty())
            items.append(text);
    }
}

} // namespace quor
