#include "FindPanel.h"

#include "Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

FindPanel::FindPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("findPanel"));
    setAccessibleName(QStringLiteral("Find"));
    // Presses on the panel's own area are the panel's, not the table's.
    setAttribute(Qt::WA_NoMousePropagation);
    resize(Twips::toPixels(0, 0, 5295, 5055).size());

    m_closeButton = new QPushButton(QStringLiteral("X"), this);
    m_closeButton->setGeometry(Twips::toPixels(0, 0, 255, 255));
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setAccessibleName(QStringLiteral("Close"));
    m_closeButton->setStyleSheet(QStringLiteral("font-size: 11px; padding: 0px;"));

    m_caption = new QLabel(QStringLiteral("Select Icon to Locate"), this);
    m_caption->setGeometry(Twips::toPixels(360, 0, 4815, 255));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    m_caption->setFont(font);
    m_caption->setStyleSheet(QStringLiteral("color: white;"));

    m_filter = new QLineEdit(this);
    m_filter->setGeometry(Twips::toPixels(360, 255, 4815, 330));
    m_filter->setPlaceholderText(tr("Type to narrow the list"));
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);
    connect(m_filter, &QLineEdit::textChanged, this, &FindPanel::applyFilter);

    m_list = new QListWidget(this);
    m_list->setGeometry(Twips::toPixels(360, 630, 4815, 4350));
    // Tens of thousands of entries of one height: no per-entry measuring.
    m_list->setUniformItemSizes(true);
    m_list->setSortingEnabled(false);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit entryChosen(elementAt(m_list->row(item))); });
}

void FindPanel::setEntries(const QStringList &entries)
{
    m_entries = entries;
    const QSignalBlocker quiet(m_filter);
    m_filter->clear();
    applyFilter(QString());
}

int FindPanel::elementAt(int row) const
{
    return row >= 0 && row < m_rowElements.size() ? m_rowElements[row] : 0;
}

void FindPanel::applyFilter(const QString &text)
{
    QStringList shown;
    m_rowElements.clear();
    if (text.isEmpty()) {
        shown = m_entries;
        m_rowElements.reserve(m_entries.size());
        for (int k = 0; k < m_entries.size(); ++k)
            m_rowElements.append(k + 1);
    } else {
        for (int k = 0; k < m_entries.size(); ++k) {
            if (m_entries[k].contains(text, Qt::CaseInsensitive)) {
                shown.append(m_entries[k]);
                m_rowElements.append(k + 1);
            }
        }
    }
    m_list->clear();
    m_list->addItems(shown);
    // What is typed narrows the list; Enter then takes its first entry.
    if (!text.isEmpty() && !shown.isEmpty())
        m_list->setCurrentRow(0);
}

void FindPanel::chooseCurrent()
{
    const int element = elementAt(m_list->currentRow());
    if (element != 0)
        emit entryChosen(element);
}

bool FindPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || (watched != m_filter && watched != m_list))
        return QFrame::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        chooseCurrent();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == m_filter) {
            // The field keeps the focus for typing; the list moves.
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
            QApplication::sendEvent(m_list, &copy);
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void FindPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64)); // &H00404040&
}
