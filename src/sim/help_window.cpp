// The help window's logic: one instance, loaded from the program's folder.
#include "sim/main_form.h"

namespace antraid {

void MainForm::cmdViewHelp_Click() {
  if (helpOpen) {  // shown already: no second window, no second load
    host.ShowHelp(NativePath(helpPath), false);
    return;
  }
  helpOpen = true;
  helpPath = host.AppPath() + "\\help.rtf";
  ++helpLoads;
  host.ShowHelp(NativePath(helpPath), true);
}

void MainForm::frmHelpScreen_Closed() { helpOpen = false; }

}  // namespace antraid
