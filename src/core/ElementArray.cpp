#include "ElementArray.h"

ElementArray::ElementArray(const PlotElement &elementTemplate)
{
    m_elements.append(elementTemplate);
}

int ElementArray::add()
{
    // The list copies element 0 before it grows, so the reference holds.
    m_elements.append(m_elements.first());
    m_elements.last().live = false;
    return count();
}
