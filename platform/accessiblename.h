#pragma once

#include <QString>

// What a screen reader calls a control that a label names: the label's text without its mnemonic
// marks and its closing colon ("T&ransparency:" gives "Transparency", "A && B" gives "A & B").
QString AccessibleNameFromLabel(const QString& strLabel);
