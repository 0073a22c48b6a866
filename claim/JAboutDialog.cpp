#include "claim/JAboutDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "claim/Constants.h"

JAboutDialog::JAboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(kTitle);
  setModal(true);
  setFixedSize(kWidth, kHeight);
  auto* grid = new QGridLayout(this);
  label_ = new QLabel(notice(), this);
  label_->setAlignment(Qt::AlignCenter);
  label_->setFont(QFont("Dialog", 10));
  label_->setWordWrap(true);  // never cut: a font wider than expected wraps instead
  label_->setToolTip(label_->text());
  grid->addWidget(label_, 0, 0, 1, 3);
  ok_ = new QPushButton("&OK", this);
  ok_->setAutoFillBackground(false);
  ok_->setFlat(true);
  grid->addWidget(ok_, 1, 2);
  connect(ok_, &QPushButton::clicked, this, &QDialog::hide);
}

QString JAboutDialog::notice() {
  return QString("Claimora %1 - Varodex claims")
      .arg(QString::fromUtf8(Constants::Version.data(), static_cast<int>(Constants::Version.size())));
}
