#include "QtWindowServices.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace {
QString titleOrApplication(const QString &title)
{
    return title.isEmpty() ? WindowServices::applicationTitle() : title;
}
} // namespace

void QtWindowServices::showMessage(const QString &prompt, MessageIcon icon, const QString &title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(titleOrApplication(title));
    box.setText(prompt);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString QtWindowServices::askText(const QString &prompt, const QString &title,
                                  const QString &defaultText)
{
    return askTextOrCancel(prompt, title, defaultText).value_or(QString());
}

int QtWindowServices::askChoice(const QString &prompt, const QString &title,
                                const QStringList &buttons, int defaultButton)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(titleOrApplication(title));
    box.setText(prompt);
    box.setIcon(QMessageBox::Question);
    QList<QPushButton *> made;
    for (const QString &caption : buttons)
        made << box.addButton(caption, QMessageBox::AcceptRole);
    if (defaultButton >= 0 && defaultButton < made.size())
        box.setDefaultButton(made[defaultButton]);
    // Without an escape button Qt would take Escape as the default one.
    QPushButton *escape = box.addButton(QMessageBox::Cancel);
    escape->hide();
    box.setEscapeButton(escape);
    box.exec();
    return int(made.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
}

std::optional<QString> QtWindowServices::askTextOrCancel(const QString &prompt,
                                                         const QString &title,
                                                         const QString &defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, titleOrApplication(title), prompt,
                                                 QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString QtWindowServices::askTextFromList(const QString &prompt, const QString &title,
                                          const QStringList &choices, const QString &defaultText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(titleOrApplication(title));
    dialog.setLabelText(prompt);
    dialog.setComboBoxItems(choices);
    dialog.setComboBoxEditable(true);
    // The default shows as typed even when it is none of the choices.
    dialog.setTextValue(defaultText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtWindowServices::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    return entries.join(QStringLiteral(";;"));
}

bool QtWindowServices::askOpenFile(FileDialogRequest &request)
{
    QFileDialog dialog(m_parent, request.title, request.folder, qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!request.path.isEmpty())
        dialog.selectFile(request.path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.path = QDir::toNativeSeparators(dialog.selectedFiles().first());
    request.fileName = QFileInfo(request.path).fileName();
    return true;
}

QString QtWindowServices::askSaveFileName(const QString &title, const QString &initialPath,
                                          const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, initialPath, qtFilter(filter));
}

void QtWindowServices::processEvents()
{
    QApplication::processEvents();
}

QString QtWindowServices::currentFolder() const
{
    return QDir::currentPath();
}

bool QtWindowServices::setCurrentFolder(const QString &folder)
{
    return QDir::setCurrent(folder);
}

bool QtWindowServices::startProgram(const QString &program, const QStringList &arguments,
                                    const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}
