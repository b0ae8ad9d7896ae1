#include "base/screen_text.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/main_window/results_list_lines.h"
#include "ui/main_window/round_controls.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

using TabGapsTest = MainWindowTest;

// A spreadsheet line: cells joined by tabs.
const char* const kLine = "程国子\t财务部\tPZ10022\t18056406757";

TEST_F(TabGapsTest, TabsShowAsGapsWhileTheFilesAndTheVoidKeepTheStoredLine)
{
    QByteArray participants;
    for (int i = 0; i < 12; ++i)
        participants += G(kLine) + QByteArray::number(i) + "\r\n";
    dir.writeFile("rafflixlist.txt", participants);
    drawOne();
    ASSERT_EQ(results().size(), 1u);
    const QByteArray drawn = results()[0];
    ASSERT_TRUE(drawn.contains(G(kLine)));
    const QString gapped = screen_text::shown(drawn);
    auto* list = control<QPlainTextEdit>("mmo1");
    const QTextBlock line = list->document()->findBlockByNumber(1);
    EXPECT_TRUE(line.text().startsWith(gapped)) << line.text().toStdString();

    const QByteArray saved = results_list_lines::savedResults(*list->document());
    EXPECT_TRUE(saved.contains(drawn)) << "the saved results keep the tabs";
    EXPECT_EQ(window().roundControls()->entryOnLine(1), 0) << "the shown line names its winner";

    // An edited line goes back with tabs where it shows gaps.
    QTextCursor cursor(line);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.deletePreviousChar();
    EXPECT_TRUE(results_list_lines::savedResults(*list->document()).contains(drawn.chopped(1)));
}

} // namespace
