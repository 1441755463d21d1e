#pragma once

#include <QDialog>

class QPushButton;

namespace cvx {

// The command-line help: every option with its explanation, and an OK button that closes the
// window. The labels are named lblOption(1) to lblOption(5), their text boxes txtOption(1) to
// txtOption(5). Shown modeless in a run with the help option, where closing it ends the program.
class frmHelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit frmHelpWindow(QWidget* parent = nullptr);

  QPushButton* cmdOK() const { return cmdOK_; }

 private:
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace cvx
