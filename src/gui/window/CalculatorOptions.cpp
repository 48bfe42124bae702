// The options dialog's command: the dialog edits the window's settings, and after OK
// the calculator's part of them goes to the main engine.
//
//   logic's current values -> settings -> TFormOptions -> settings
//   OK -> logic and main engine; either way -> tape styles, Fast Click

#include "window/Calculator.h"

#include "options/FormOptions.h"

namespace quantrel::gui {

void TCalculator::MoreOptions1Click() {
    command("MoreOptions1", [&] {
        // The tape format, digits and memory may have changed since the settings were
        // read; the dialog shows them as they are.
        m_settings.Calc = m_logic->Settings();
        m_settings.Down = m_fastClick;
        if (m_optionsForm->exec() == QDialog::Accepted)
            m_logic->ApplyOptions(m_settings.Calc);
        else
            m_logic->KeepOptions(m_settings.Calc);
        // A refused OK may have stored colours before Cancel; the tape uses them at once.
        applyTapeStyle();
        SetFastClick(m_settings.Down);
    });
}

} // namespace quantrel::gui
