// The main window's additions to the draw, wired in one place so the window
// itself stays as it is: several winners per Stop, the operator's level menu,
// what is being drawn on screen, the whole winner line in the display and the
// stage view without the operator's buttons.
#include "ui/main_window/cou.h"
#include "ui/main_window/operator_menu.h"
#include "ui/stage/display_fitter.h"
#include "ui/stage/draw_status_view.h"
#include "ui/stage/stage_operator_buttons.h"

#include <QLineEdit>
#include <QPushButton>

void TForm1::installDrawAdditions()
{
    new DisplayFitter(edt1);
    statusView_ = new DrawStatusView(this, stage_, status_, options_);
    new StageOperatorButtons(this, stage_, {btn1, btn2, btn5});
    new OperatorMenu(this, pm1, options_, status_, [this] { drawStatusChanged(); });
}

void TForm1::drawStatusChanged()
{
    statusView_->refresh();
}

void TForm1::resetDrawStatus()
{
    status_ = DrawStatus();
    options_.chosenLevel.reset();
    statusView_->refresh();
}
