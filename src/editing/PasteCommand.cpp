#include "PasteCommand.h"

#include "CutClipboard.h"
#include "PaletteFrame.h"
#include "Placing.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "WindowServices.h"

#include <QPushButton>

PasteCommand::PasteCommand(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    connect(window.palette()->pasteButton(), &QPushButton::clicked, this, &PasteCommand::paste);
}

void PasteCommand::paste()
{
    m_window.palette()->hide();
    pasteAt(m_window.placing()->palettePoint());
}

void PasteCommand::pasteAt(QPointF at)
{
    if (m_window.document()->refusesChanges())
        return;
    const CutClipboard &clipboard = m_window.clipboard();
    int n = 0;
    ElementKind kind = ElementKind::Icon;
    if (clipboard.number > 0) {
        // Letter case counts here, although the folders match without it.
        if (clipboard.iconSetName != m_window.document()->iconSetName()) {
            m_window.services().showMessage(
                QStringLiteral("Sorry, paste not possible. This Plot Table uses a different icon "
                               "set!\r\nYou may re-paste this icon back to its original location "
                               "to avoid loosing it."));
            return;
        }
        n = m_window.addIcon(clipboard.number, clipboard.text, at);
    } else if (clipboard.number == IconNumber::Note) {
        kind = ElementKind::Note;
        n = m_window.addNote(clipboard.text, at);
    }
    if (n != 0)
        m_window.document()->recordAdded(kind, n, QStringLiteral("Paste"));
}
