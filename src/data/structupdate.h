#pragma once

#include <QString>

namespace quor {

class TDM;

// Completes the item sets at start-up: BASE, and every month that has any item
// row, gets a row for each of GZ1..GZ30 and KK1..KK15 it lacks (named
// "工资项目", disabled). Existing rows are never changed; failures are silent.
void StructUpdate(TDM &dm);

} // namespace quor
