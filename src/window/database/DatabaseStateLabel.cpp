#include "window/database/DatabaseStateLabel.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>

#include "window/frmMain.h"
#include "wsdb/DatabaseState.h"

namespace cvx {

namespace {

class ShownFilter : public QObject {
 public:
  explicit ShownFilter(frmMain& w) : QObject(&w), w_(w) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) ShowDatabaseState(w_);
    return QObject::eventFilter(watched, event);
  }

 private:
  frmMain& w_;
};

}  // namespace

QLabel* MakeDatabaseStateLabel(QWidget* frame) {
  auto* label = new QLabel(frame);
  label->setObjectName(QStringLiteral("lblDBstate"));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

void ShowDatabaseState(frmMain& w) {
  QLabel* label = w.ui().lblDBstate;
  if (!label) return;
  const MainState& s = w.state();
  const DatabaseState state = ReadDatabaseState(s.DBPath, s.TreeName);
  label->setText(QString::fromStdString(DatabaseStateText(state)));
  label->setToolTip(QString::fromStdString(state.path));
}

void FollowDatabaseState(frmMain& w) {
  if (QGroupBox* page = w.ui().frameS[4]) page->installEventFilter(new ShownFilter(w));
}

}  // namespace cvx
