#include "PasteCommand.h"

#include "MDIForm1.h"
#include "PaletteFrame.h"
#include "Placing.h"
#include "PlotElement.h"
#include "frmPlotFile.h"

#include <QPushButton>

PasteCommand::PasteCommand(frmPlotFile &window, Placing &placing)
    : QObject(&window)
    , m_window(window)
    , m_placing(placing)
{
    connect(window.Frame1->Command5, &QPushButton::clicked, this, &PasteCommand::Command5_Click);
}

void PasteCommand::Command5_Click()
{
    m_window.Frame1->hide();
    m_window.paletteOpen = false;
    const MDIForm1 &main = m_window.main();
    const qint16 number = main.draggItemWhatsThisHelpID;
    if (number > 0) {
        // Letter case counts here, although the folders match without it.
        if (main.draggIconPath != m_window.doc.iconSetName) {
            main.services().MsgBox(
                QStringLiteral("Sorry, paste not possible. This Plot Table uses a different icon "
                               "set!\r\nYou may re-paste this icon back to its original location "
                               "to avoid loosing it."));
            return;
        }
        m_window.addIcon(number, main.draggItemText, m_placing.palettePoint(), false);
    } else if (number == IconNumber::Note) {
        m_window.addNote(main.draggItemText, IconNumber::Note, m_placing.palettePoint());
    }
}
