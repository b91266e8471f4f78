// The help window's logic: one instance, loaded from the program's folder.
#include "sim/main_form.h"

namespace antraid {

void MainForm::cmdViewHelp_Click() {
  if (help.helpOpen) {  // shown already: no second window, no second load
    host.ShowHelp(NativePath(help.helpPath), false);
    return;
  }
  help.helpOpen = true;
  help.helpPath = host.AppPath() + "\\help.rtf";
  ++help.helpLoads;
  host.ShowHelp(NativePath(help.helpPath), true);
}

void MainForm::frmHelpScreen_Closed() { help.helpOpen = false; }

}  // namespace antraid
