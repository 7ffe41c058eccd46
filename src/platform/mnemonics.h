#pragma once
// Underlined letters for menus, chosen at run time from the texts in use, so
// that the shipped texts and any translation get them without marking them.
#include <QStringList>

class QMenuBar;
class QMenu;

namespace orvanta {

// Each text with "&" before a letter or digit that none of the texts before
// it uses, preferring the first letter of a word; a literal "&" is doubled.
// A text with nothing left to choose gets no mnemonic.
QStringList WithMnemonics(const QStringList& plainTexts);

// The property holding an action's text without mnemonic, set by the window.
inline constexpr const char* kPlainTextProperty = "plainText";

// Gives the menu bar's menus and every menu below them their mnemonics, from
// the actions' plain texts; actions without one are left as they are.
void AssignMnemonics(QMenuBar* bar);

}  // namespace orvanta
