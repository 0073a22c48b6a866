#include "platform/gui/qt/QtChoiceDialog.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/gui/qt/QtDialogPlacement.h"

namespace plat::gui::qt {

namespace {

// The texts come from data and error messages; markup in them is shown, never interpreted.
QLabel* plainLabel(const std::string& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(QString::fromStdString(text), parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

void layOutFixed(QDialog& dialog, const ChoiceRequest& request, QLabel* text,
                 const std::vector<QPushButton*>& buttons) {
  dialog.setFixedSize(request.width, request.height);
  const Box& box = request.textBox;
  text->setGeometry(box.x, box.y, box.width, box.height);
  for (std::size_t i = 0; i < buttons.size() && i < request.buttonBoxes.size(); ++i) {
    const Box& b = request.buttonBoxes[i];
    buttons[i]->setGeometry(b.x, b.y, b.width, b.height);
  }
}

void layOutBorder(QDialog& dialog, const ChoiceRequest& request, QLabel* heading, QLabel* text,
                  const std::vector<QPushButton*>& buttons) {
  auto* column = new QVBoxLayout(&dialog);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  if (heading != nullptr) column->addWidget(heading);
  column->addWidget(text, 1);
  auto* rowPanel = new QWidget(&dialog);
  rowPanel->setObjectName("buttons");
  auto* row = new QHBoxLayout(rowPanel);
  row->setContentsMargins(request.buttonGap, request.rowGap, request.buttonGap, request.rowGap);
  row->setSpacing(request.buttonGap);
  row->addStretch(1);
  for (QPushButton* button : buttons) row->addWidget(button);
  row->addStretch(1);
  column->addWidget(rowPanel);
  if (request.width > 0 && request.height > 0) {
    dialog.resize(request.width, request.height);
  } else {
    dialog.adjustSize();
  }
}

}  // namespace

int runChoiceDialog(const ChoiceRequest& request, QWidget* serviceWindow, QWidget* owner) {
  QDialog dialog(serviceWindow);
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setModal(true);
  QLabel* heading = nullptr;
  if (!request.heading.empty()) {
    heading = plainLabel(request.heading, "heading", &dialog);
    heading->setFont(toQFont(request.headingFont, heading->font()));
  }
  QLabel* text = plainLabel(request.text, "text", &dialog);
  if (request.centreText) text->setAlignment(Qt::AlignCenter);

  int answer = request.closeAnswer;
  std::vector<QPushButton*> buttons;
  for (std::size_t i = 0; i < request.buttons.size(); ++i) {
    auto* button = new QPushButton(QString::fromStdString(request.buttons[i]), &dialog);
    button->setObjectName(QStringLiteral("button%1").arg(i));
    button->setFont(toQFont(request.buttonFont, button->font()));
    if (request.buttonBackground) {
      QPalette palette = button->palette();
      palette.setColor(QPalette::Button, QColor::fromRgb(*request.buttonBackground));
      button->setPalette(palette);
      button->setAutoFillBackground(true);
    }
    QObject::connect(button, &QPushButton::clicked, &dialog, [&answer, &dialog, i] {
      answer = static_cast<int>(i);
      dialog.accept();
    });
    buttons.push_back(button);
  }

  if (request.layout == ChoiceRequest::Layout::Fixed) {
    layOutFixed(dialog, request, text, buttons);
  } else {
    layOutBorder(dialog, request, heading, text, buttons);
  }
  if (request.preselected && *request.preselected >= 0 &&
      static_cast<std::size_t>(*request.preselected) < buttons.size()) {
    QPushButton* preselected = buttons[static_cast<std::size_t>(*request.preselected)];
    preselected->setDefault(true);
    preselected->setFocus();
  }
  placeDialog(dialog, request.placement, owner, serviceWindow);
  dialog.exec();
  return answer;
}

}  // namespace plat::gui::qt
