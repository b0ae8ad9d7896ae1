#pragma once

class QPlainTextEdit;
class QPushButton;
class QWidget;

// The 导入... button of a list on the page 抽奖规则: the lines of a text, CSV
// or workbook file, read as the import page reads them, into the field.
namespace rules_list_import {

enum class Into {
    Replace,       // the list given anew (不参与抽奖)
    AppendNewLines // latecomers added to the sign-in list: lines already there stay once
};

// Placed at the top right of the field's tab; nothing is saved until 保存规则.
QPushButton* addButton(QWidget* tab, QPlainTextEdit* field, Into into);

// The handler: asks for a file, tells a file that cannot be read in a box and
// leaves the field as it was.
void importInto(QPlainTextEdit& field, Into into);

} // namespace rules_list_import
