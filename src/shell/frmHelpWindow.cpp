#include "shell/frmHelpWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVBoxLayout>

#include "shell/HelpWindowTexts.h"

namespace cvx {

namespace {

// Lines longer than about this many characters wrap; every example line is shorter.
constexpr int kMaxColumns = 80;

// The height of text laid out in lines of the given width, as a plain text box lays it out:
// one block per line break, each wrapped at word boundaries.
qreal LaidOutHeight(const QTextDocument& document, const QFont& font, qreal lineWidth) {
  qreal height = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextLayout layout(block.text(), font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(lineWidth);
      height += line.height();
    }
    layout.endLayout();
  }
  return height;
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const QString& name, const QString& text) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  // CR LF pairs become line breaks here.
  box->setPlainText(text);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return box;
}

// One width for all boxes, enough for the longest example line; each box as tall as its whole
// text, so that none of them scrolls.
void FitTextBoxes(const std::vector<QPlainTextEdit*>& boxes) {
  const QFontMetrics metrics = boxes.front()->fontMetrics();
  int widest = 0;
  for (const QPlainTextEdit* box : boxes) {
    for (const QString& line : box->toPlainText().split(QLatin1Char('\n'))) {
      widest = std::max(widest, metrics.horizontalAdvance(line));
    }
  }
  const int lineWidth = std::min(widest, metrics.averageCharWidth() * kMaxColumns);
  for (QPlainTextEdit* box : boxes) {
    const qreal margin = box->document()->documentMargin();
    // The text box keeps a pixel or two beside its margins for the cursor.
    const int slack = 4;
    const qreal textHeight = LaidOutHeight(*box->document(), box->font(), lineWidth);
    const int frame = 2 * box->frameWidth();
    box->setFixedSize(lineWidth + static_cast<int>(std::ceil(2 * margin)) + slack + frame,
                      static_cast<int>(std::ceil(textHeight + 2 * margin)) + slack + frame);
  }
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

frmHelpWindow::frmHelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmHelpWindow"));
  setWindowTitle(QStringLiteral("Corvexa - Command line options"));

  const auto texts = HelpWindowTexts();
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);

  QLabel* heading = MakeLabel(this, QStringLiteral("lblHeading"), texts[0].first);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  grid->addWidget(heading, 0, 0, 1, 2);
  grid->addWidget(MakeLabel(this, QStringLiteral("lblSyntax"), texts[1].first), 1, 0, 1, 2);
  grid->setRowMinimumHeight(2, 6);

  std::vector<QPlainTextEdit*> boxes;
  for (std::size_t k = 1; k + 1 < texts.size(); ++k) {
    const QString index = QString::number(k);
    const int row = static_cast<int>(k) + 2;
    grid->addWidget(MakeLabel(this, QStringLiteral("lblOption(%1)").arg(index), texts[k + 1].first),
                    row, 0);
    boxes.push_back(
        MakeTextBox(this, QStringLiteral("txtOption(%1)").arg(index), texts[k + 1].second));
    grid->addWidget(boxes.back(), row, 1);
  }
  FitTextBoxes(boxes);

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  // The texts are fixed, so is the window: every box shows its whole text.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace cvx
