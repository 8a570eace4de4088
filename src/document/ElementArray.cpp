#include "ElementArray.h"

ElementArray::ElementArray(const PlotElement &elementTemplate)
{
    m_elements.append(elementTemplate);
}

int ElementArray::Load()
{
    PlotElement element = m_elements.first();
    element.visible = false;
    m_elements.append(element);
    return UBound();
}
