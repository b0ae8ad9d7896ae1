#pragma once

#include "platform/message_boxes.h"

// Real modal message boxes with Chinese button texts.
class QtMessageBoxes : public MessageBoxes
{
  public:
    BoxAnswer show(QWidget* parent, const BoxRequest& request) override;
};
