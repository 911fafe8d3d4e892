// A dialog session as the tests run it: a toolkit whose calls are recorded and whose user answers
// from a script, and the stored-list keeper behind a log of what the plug-in told the host.
#pragma once

#include "hostsim/dialog_toolkit.h"
#include "hostsim/hooks/scripted_user.h"
#include "hostsim/hooks/set_info_log.h"
#include "hostsim/hooks/toolkit_recorder.h"
#include "hostsim/stored_list_keeper.h"

namespace hostsim::hooks {

struct TestDialogSession {
  TestDialogSession() {
    toolkit.SetProbe(&recorder);
    toolkit.SetUser(&user);
  }
  TestDialogSession(const TestDialogSession&) = delete;
  TestDialogSession& operator=(const TestDialogSession&) = delete;

  // The record for ZUShaderInterfaceSetup on a dialog of this session.
  InterfaceRecord LayersDialogRecord(DialogRef dialog) const {
    return toolkit.LayersDialogRecord(dialog, setInfo.function());
  }

  ToolkitRecorder recorder;
  ScriptedUser user;
  DialogToolkit toolkit;
  StoredListKeeper keeper{toolkit};
  SetInfoLog setInfo{keeper.function()};
};

}  // namespace hostsim::hooks
