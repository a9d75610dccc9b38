#pragma once

#include "common/messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <exception>
#include <span>
#include <vector>

namespace quor {

// An evaluation error: division by zero, an invalid operation, an overflow, an
// undefined name or a formula that did not parse. reason() is the short Chinese
// text the caller reports.
class CalcError : public std::exception
{
public:
    explicit CalcError(QString reason);
    const QString &reason() const { return m_reason; }
    const char *what() const noexcept override;

private:
    QString m_reason;
    QByteArray m_what; // UTF-8 of the reason
};

// Parses an arithmetic formula into an expression tree and evaluates it in
// extended precision. Setting the formula parses it at once; a formula that does
// not parse shows "Error in formula." once and leaves the tree empty.
class TCalcExpress
{
public:
    // Longer formulas and deeper nesting are parse errors rather than a risk to the stack.
    static constexpr qsizetype MaxFormulaLength = 4096;
    static constexpr int MaxDepth = 200;

    // The formula starts as "0". Without a message interface parse errors are silent.
    explicit TCalcExpress(Messages *messages = nullptr);

    void setFormula(const QString &formula);
    // The formula as set, with ASCII letters lowered.
    QString formula() const { return m_formula; }

    // Entry i names values[i] of Calc. Setting them parses the formula again.
    void setVariables(const QStringList &names);
    QStringList variables() const { return m_variables; }

    // The last parse failed; Calc throws.
    bool hasError() const { return m_error; }

    // Evaluates the tree with values for the variables. Returns a finite value
    // or throws CalcError.
    long double Calc(std::span<const long double> values = {}) const;

private:
    struct Node
    {
        int kind = 0;
        int left = -1;  // index into m_nodes
        int right = -1;
        long double value = 0; // number literal, converted once
        int index = -1;        // variable: position in the values, -1 when undefined
        QString name;          // variable: the name as written, for the error text
    };

    void parse();
    long double evaluate(int node, std::span<const long double> values) const;

    Messages *m_messages = nullptr;
    QString m_formula;
    QStringList m_variables;
    std::vector<Node> m_nodes; // the tree; children before their parent
    int m_root = -1;
    bool m_error = false;

    friend class CalcParser;
};

} // namespace quor
