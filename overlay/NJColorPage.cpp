#include "NJColorPage.h"

NJColorPage::NJColorPage(QWidget* parent)
    : QWidget(parent)
{
}

NJColorPage::~NJColorPage() = default;
