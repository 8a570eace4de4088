#include "ElementArray.h"

ElementArray::ElementArray(const PlotElement &elementTemplate)
{
    m_elements.append(elementTemplate);
}

int ElementArray::Load()
{
    // The list copies element 0 before it grows, so the reference holds.
    m_elements.append(m_elements.first());
    m_elements.last().visible = false;
    return UBound();
}
