#pragma once

#include "PlotElement.h"

#include <QVector>

// The icons or the notes of a table, numbered from 1. Element 0 is the
// template every new element is made from. Elements are only ever added,
// never removed (a cut one is hidden), so an element number stays valid
// while the table is open.
class ElementArray
{
public:
    explicit ElementArray(const PlotElement &elementTemplate = PlotElement());

    // Adds the next element as a copy of element 0 that starts hidden, and
    // returns its number.
    int add();

    // The last element number.
    int count() const { return int(m_elements.size()) - 1; }
    PlotElement &operator[](int index) { return m_elements[index]; }
    const PlotElement &operator[](int index) const { return m_elements[index]; }

    void reserve(int count) { m_elements.reserve(count + 1); }

private:
    QVector<PlotElement> m_elements;
};
