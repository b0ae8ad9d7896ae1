#pragma once

#include <QByteArray>
#include <QString>

// How a stored line shows in a widget. A line imported from a spreadsheet
// joins its cells with tabs, which a line field shows as a narrow blank and a
// painted line as nothing at all, so the cells run together. On screen each
// tab becomes kTabGap; the files keep the tab.
namespace screen_text {

inline const QString kTabGap = QStringLiteral(" ｜ ");

// The GBK text decoded, its tabs shown as gaps.
QString shown(const QByteArray& gbkText);
QString withGaps(const QString& text);
// The inverse for a line the operator edited on screen: its gaps become tabs.
QString withTabs(const QString& shownText);

} // namespace screen_text
