#pragma once

#include <QString>

namespace quor {

class TDM;

// The in-memory copies of the parameters, the branding and the passwords that
// every window reads. One per running program.
struct ProgramState
{
    // Branding from IIS.INI.
    QString brandEntName;
    QString homePage;
    QString brand;

    // From the TPara row.
    QString entName;
    QString logPass;          // empty means no password
    int gsLimit = 0;          // tax-free threshold, a whole number
    QString jjUnit;
    int printDays = 0;        // attendance mode 0..3
    int showFloat = 0;        // 0 whole units, otherwise two decimals
    int printOrientation = 0;
    int topPos = 2;           // tenths of an inch
    int showXH = 0;
    double pageWidth = 0;
    double stepTitleGrid = 0;
    int nameOnTitle = 0;

    QString autoBakPath;      // empty until known

    // The direction toggle of title-click sorting, shared by every list.
    bool sortAscending = false;

    bool showDecimals() const { return showFloat != 0; }
    QString amountFormat() const;        // "0.00" or "0"
    QString windowTitle() const;         // brand + "工资条制作打印软件"
    bool passwordInForce() const;
};

// Loads the TPara row into "state" through the data module's parameter cursor,
// opening it when closed. Returns false, changing nothing, when the cursor cannot
// be opened. A column that is missing or holds no number of its type ends the
// reading quietly; the values read before it stay.
bool loadParameters(TDM &dm, ProgramState &state);

} // namespace quor
