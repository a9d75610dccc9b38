#pragma once

#include "datamodule.h"
#include "programstate.h"

#include "common/messages.h"
#include "common/programfolder.h"

namespace quor {

// What every window of a running program shares: its folder, the message
// interface, the data module and the program state.
struct Session
{
    Session(const ProgramFolder &programFolder, Messages &messageInterface)
        : folder(programFolder)
        , messages(messageInterface)
        , dm(folder, messages)
    {
    }

    ProgramFolder folder;
    Messages &messages;
    TDM dm;
    ProgramState state;
};

} // namespace quor
