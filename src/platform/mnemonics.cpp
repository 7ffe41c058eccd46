// Underlined letters for the menus, chosen from the texts in use.
#include "platform/mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <algorithm>

namespace orvanta {

namespace {

// The places worth underlining, best first: the start of each word, then the rest.
QList<qsizetype> Candidates(const QString& text) {
    QList<qsizetype> starts, others;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text[i].isLetterOrNumber()) continue;
        const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
        (wordStart ? starts : others).append(i);
    }
    return starts + others;
}

void AssignWithin(const QList<QAction*>& actions) {
    QList<QAction*> named;
    QStringList plain;
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->property(kPlainTextProperty).isValid()) continue;
        named.append(action);
        plain.append(action->property(kPlainTextProperty).toString());
    }
    const QStringList marked = WithMnemonics(plain);
    for (qsizetype i = 0; i < named.size(); ++i) named[i]->setText(marked[i]);
    for (QAction* action : actions)
        if (action->menu()) AssignWithin(action->menu()->actions());
}

}  // namespace

QStringList WithMnemonics(const QStringList& plainTexts) {
    QSet<QString> used;
    QList<qsizetype> chosen(plainTexts.size(), -1);
    const auto key = [](const QString& text, qsizetype i) { return QString(text[i]).toCaseFolded(); };
    // First the start of a word for each text in turn, the way a reader looks for them.
    for (qsizetype t = 0; t < plainTexts.size(); ++t) {
        const QString& text = plainTexts[t];
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool wordStart = text[i].isLetterOrNumber() && (i == 0 || !text[i - 1].isLetterOrNumber());
            if (!wordStart || used.contains(key(text, i))) continue;
            used.insert(key(text, i));
            chosen[t] = i;
            break;
        }
    }
    // Then any letter, the texts with the fewest left to choose from first.
    QList<qsizetype> rest;
    for (qsizetype t = 0; t < plainTexts.size(); ++t)
        if (chosen[t] < 0) rest.append(t);
    const auto freeCount = [&](qsizetype t) {
        int count = 0;
        for (qsizetype i : Candidates(plainTexts[t])) count += used.contains(key(plainTexts[t], i)) ? 0 : 1;
        return count;
    };
    while (!rest.isEmpty()) {
        const auto scarcest = std::min_element(rest.begin(), rest.end(),
                                               [&](qsizetype a, qsizetype b) { return freeCount(a) < freeCount(b); });
        const qsizetype t = *scarcest;
        rest.erase(scarcest);
        for (qsizetype i : Candidates(plainTexts[t])) {
            if (used.contains(key(plainTexts[t], i))) continue;
            used.insert(key(plainTexts[t], i));
            chosen[t] = i;
            break;
        }
    }
    QStringList out;
    for (qsizetype t = 0; t < plainTexts.size(); ++t) {
        QString marked;
        for (qsizetype i = 0; i < plainTexts[t].size(); ++i) {
            if (i == chosen[t]) marked += '&';
            marked += plainTexts[t][i] == '&' ? QStringLiteral("&&") : QString(plainTexts[t][i]);
        }
        out.append(marked);
    }
    return out;
}

void AssignMnemonics(QMenuBar* bar) { AssignWithin(bar->actions()); }

}  // namespace orvanta
