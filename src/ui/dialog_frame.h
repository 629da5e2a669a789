#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace vantrel {

// The settings dialogs' common frame: their controls' frame above, OK and Cancel at the right.
inline void frameWithOkCancel(QDialog& dialog, QWidget* frame, QPushButton* ok, QPushButton* cancel,
                              int width) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* outer = new QVBoxLayout(&dialog);
    outer->addWidget(frame);
    outer->addLayout(buttons);
    dialog.setFixedWidth(width);
}

} // namespace vantrel
