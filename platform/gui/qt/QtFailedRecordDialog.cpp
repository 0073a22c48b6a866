#include "platform/gui/qt/QtFailedRecordDialog.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/gui/qt/QtDialogPlacement.h"

namespace plat::gui::qt {

namespace {

// The user must choose a button: the close box and Escape both end in reject(), which does nothing here.
class ButtonsOnlyDialog : public QDialog {
 public:
  using QDialog::QDialog;
  void reject() override {}
};

// A table whose preferred size is the request's, whatever its contents.
class RecordTable : public QTableWidget {
 public:
  RecordTable(QSize preferred, QWidget* parent) : QTableWidget(parent), preferred_(preferred) {}
  QSize sizeHint() const override { return preferred_; }

 private:
  QSize preferred_;
};

QTabWidget* makeTabs(const FailedRecordRequest& request, QWidget* parent) {
  auto* tabs = new QTabWidget(parent);
  tabs->setObjectName("tabs");
  for (const auto& tab : request.tabs) {
    auto* pane = new QPlainTextEdit(QString::fromStdString(tab.text), tabs);
    pane->setReadOnly(true);
    tabs->addTab(pane, QString::fromStdString(tab.title));
  }
  tabs->setCurrentIndex(0);
  return tabs;
}

QTableWidget* makeTable(const FailedRecordRequest& request, QWidget* parent) {
  auto* table = new RecordTable(QSize(request.tableWidth, request.tableHeight), parent);
  table->setObjectName("table");
  table->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  const int columns = static_cast<int>(request.columns.size());
  table->setColumnCount(columns);
  table->setRowCount(static_cast<int>(request.rows.size()));
  const QBrush state{QColor::fromRgb(request.stateColour)};
  const QBrush modified{QColor::fromRgb(request.modifiedColour)};
  for (int c = 0; c < columns; ++c) {
    auto* header = new QTableWidgetItem(QString::fromStdString(request.columns[static_cast<std::size_t>(c)]));
    if (c == 0) header->setBackground(state);
    table->setHorizontalHeaderItem(c, header);
  }
  const auto isModified = [&](int c) {
    return std::find(request.modifiedColumns.begin(), request.modifiedColumns.end(), c) !=
           request.modifiedColumns.end();
  };
  for (int r = 0; r < table->rowCount(); ++r) {
    const auto& row = request.rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < columns && c < static_cast<int>(row.size()); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(row[static_cast<std::size_t>(c)]));
      item->setFlags(Qt::ItemIsEnabled);
      if (c == 0) {
        item->setBackground(state);
        item->setToolTip(QString::fromStdString(request.stateTip));
      } else if (isModified(c)) {
        item->setBackground(modified);
        item->setToolTip(QString::fromStdString(request.modifiedTip));
      }
      table->setItem(r, c, item);
    }
  }
  return table;
}

}  // namespace

int runFailedRecordDialog(const FailedRecordRequest& request, QWidget* serviceWindow, QWidget* owner) {
  ButtonsOnlyDialog dialog(serviceWindow);
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setModal(true);
  QPalette palette = dialog.palette();
  palette.setColor(QPalette::Window, QColor::fromRgb(request.background));
  dialog.setPalette(palette);
  dialog.setAutoFillBackground(true);

  auto* column = new QVBoxLayout(&dialog);
  auto* centre = new QGridLayout();
  centre->addWidget(makeTabs(request, &dialog), 0, 0);
  centre->addWidget(makeTable(request, &dialog), 1, 0);
  centre->setRowStretch(0, 1);
  centre->setRowStretch(1, 1);
  column->addLayout(centre, 1);

  int answer = request.unattendedAnswer;
  auto* row = new QHBoxLayout();
  row->addStretch(1);
  for (std::size_t i = 0; i < request.buttons.size(); ++i) {
    auto* button = new QPushButton(QString::fromStdString(request.buttons[i]), &dialog);
    button->setObjectName(QStringLiteral("button%1").arg(i));
    QObject::connect(button, &QPushButton::clicked, &dialog, [&answer, &dialog, i] {
      answer = static_cast<int>(i);
      dialog.done(QDialog::Accepted);
    });
    row->addWidget(button);
  }
  row->addStretch(1);
  column->addLayout(row);

  dialog.adjustSize();
  placeDialog(dialog, request.placement, owner, serviceWindow);
  dialog.exec();
  return answer;
}

}  // namespace plat::gui::qt
