#pragma once

#include <QFrame>
#include <QVector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The Find panel: the window's icons by their texts, in element order,
// narrowed to the entries that hold what is typed in its filter field.
// The arrow keys move in the list from the field too, and Enter chooses
// the entry that is current.
class FindPanel : public QFrame
{
    Q_OBJECT
public:
    explicit FindPanel(QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_closeButton; }
    QLabel *caption() const { return m_caption; }
    QLineEdit *filterField() const { return m_filter; }
    QListWidget *list() const { return m_list; }

    // Entry k (from 0) stands for icon element k + 1. Empties the filter.
    void setEntries(const QStringList &entries);
    // The icon element a row of the list stands for; 0 for no row.
    int elementAt(int row) const;

signals:
    // An entry was clicked, or Enter pressed on it: its icon element.
    void entryChosen(int element);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyFilter(const QString &text);
    void chooseCurrent();

    QPushButton *m_closeButton;
    QLabel *m_caption;
    QLineEdit *m_filter;
    QListWidget *m_list;
    QStringList m_entries;
    QVector<int> m_rowElements; // the element of each row shown
};
