#include "branding.h"

#include "common/inifile.h"
#include "common/programfolder.h"
#include "data/programstate.h"

using namespace Qt::Literals::StringLiterals;

namespace quor {

void readBranding(const ProgramFolder &folder, ProgramState &state)
{
    const IniFile ini(folder.path(u"IIS.INI"_s));
    state.brandEntName = ini.value(u"Last"_s, u"EntName"_s, u"岚舟软件工作室"_s);
    state.homePage = ini.value(u"Last"_s, u"HomePage"_s, u"https://quor.example.com/"_s);
    state.brand = ini.value(u"Last"_s, u"Brand"_s, u"岚舟"_s);
}

} // namespace quor
