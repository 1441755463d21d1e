#include "window/search/PickDisplay.h"

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

#include "window/menus/DefaultActionCaption.h"

namespace cvx {

PickDisplay::PickDisplay(QComboBox& ImageCombo1, QPushButton& cmdRC, QToolButton& Command1,
                         const ActionChoice& actions)
    : box_(ImageCombo1), cmdRC_(cmdRC), Command1_(Command1), actions_(actions) {}

void PickDisplay::ShowPicked() const {
  Command1_.setEnabled(true);
  ShowDefaultCaption();
}

void PickDisplay::ShowPicked(const QString& name) const {
  ShowPicked();
  box_.setEditText(name);
}

void PickDisplay::ShowSearchMode() const {
  cmdRC_.setText(QStringLiteral("Search"));
  Command1_.setEnabled(false);
}

void PickDisplay::ShowDefaultCaption() const {
  ShowDefaultActionCaption(cmdRC_, actions_);
}

}  // namespace cvx
